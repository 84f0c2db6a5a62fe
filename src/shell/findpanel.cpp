#include "shell/findpanel.h"

#include "find/wholeword.h"
#include "shell/appearance.h"
#include "shell/findedit.h"
#include "shell/layout.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace tamo {

namespace {

constexpr char16_t kFindPrompt[] = u"Geben Sie hier den zu suchenden Text ein.";

// The substitute fonts run a little wider than the designed one. A check box whose caption
// would be cut keeps its place and grows to the right, up to rightLimit (the next control on
// its row, or the edge of its group); where even that is too narrow, its caption is set a
// little tighter.
void fitCaption(QCheckBox *box, int rightLimit)
{
    const int room = rightLimit - box->x();
    if (box->sizeHint().width() > box->width())
        box->resize(std::min(box->sizeHint().width(), std::max(room, box->width())), box->height());
    QFont font = box->font();
    for (double spacing = -0.1; box->sizeHint().width() > room && spacing >= -1.0; spacing -= 0.1) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
        box->setFont(font);
    }
}

// The right limit of a check box in its group: the left edge of a box to its right on the same
// row that would cover its caption, else the group's inner edge.
int rightLimitInGroup(const QCheckBox *box, const QList<QCheckBox *> &siblings)
{
    int limit = box->parentWidget()->contentsRect().right();
    for (const QCheckBox *other : siblings) {
        if (other != box && other->y() == box->y() && other->x() > box->x())
            limit = std::min(limit, other->x());
    }
    return limit;
}

// The hint names key combinations: "[Strg]+[F3]" stays on one line. Line breaking would allow
// a break before and after "+"; an invisible word joiner on each side forbids it.
QString keepKeysTogether(QString text)
{
    text.replace(QStringLiteral("]+["), QStringLiteral("]\u2060+\u2060["));
    return text;
}

} // namespace

FindPanel::FindPanel(QWidget *parent)
    : QGroupBox(parent)
{
    applyLayout(this, layout::kFindPanel);
    setAutoFillBackground(true); // it covers the lower strip of the window
    hide();
    createControls();

    connect(m_findNextButton, &QPushButton::clicked, this, &FindPanel::findNextRequested);
    connect(m_closeButton, &QPushButton::clicked, this, &FindPanel::closeRequested);
    connect(m_searchBox, &FindEdit::keyPressed, this, &FindPanel::searchKeyPressed);
    connect(m_wholeWords, &QCheckBox::toggled, this, &FindPanel::syncSeparatorOptions);
}

void FindPanel::createControls()
{
    // Back to front, as the window's controls.
    m_hint = makeControl<QLabel>(layout::kFindHint, this);
    m_hint->setWordWrap(true);
    m_hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_hint->setText(keepKeysTogether(m_hint->text()));
    // Lines that keep the key names whole can need more room: the hint grows to the right, up
    // to the buttons.
    while (m_hint->heightForWidth(m_hint->width()) > m_hint->height() &&
           m_hint->geometry().right() < layout::kFindNextButton.place.left() - 8)
        m_hint->resize(m_hint->width() + 1, m_hint->height());
    m_searchBox = makeControl<FindEdit>(layout::kFindText, this);
    m_matchCase = makeControl<QCheckBox>(layout::kMatchCase, this);
    m_wholeWords = makeControl<QCheckBox>(layout::kWholeWords, this);
    fitCaption(m_matchCase, m_hint->x());
    fitCaption(m_wholeWords, m_hint->x());

    m_separatorGroup = makeControl<QGroupBox>(layout::kSeparatorGroup, this);
    for (int index : layout::kSeparatorStacking) {
        const auto i = std::size_t(index);
        QCheckBox *box = makeControl<QCheckBox>(layout::kSeparatorBoxes[i], m_separatorGroup);
        box->setChecked(defaultSeparatorFlags[i]);
        m_separatorBoxes[i] = box;
    }
    const QList<QCheckBox *> boxes(m_separatorBoxes.begin(), m_separatorBoxes.end());
    for (QCheckBox *box : boxes)
        fitCaption(box, rightLimitInGroup(box, boxes));

    m_findNextButton = makeButton(layout::kFindNextButton, this);
    m_closeButton = makeButton(layout::kCloseFindButton, this);
}

void FindPanel::placeInTabOrderAfter(QWidget *previous)
{
    applyTabOrder(this, layout::kFindPanelTabOrder, previous);
}

void FindPanel::open(const QString &searchText)
{
    show();
    raise();
    m_searchBox->setText(QString::fromUtf16(kFindPrompt));
    if (!searchText.isEmpty())
        m_searchBox->setText(searchText);
    else
        m_searchBox->setSelection(0, int(m_searchBox->text().size()));
    m_searchBox->setFocus();
}

FindRequest FindPanel::request(const QString &text, qsizetype selStart, qsizetype selLength) const
{
    FindRequest request;
    request.text = text;
    request.selStart = selStart;
    request.selLength = selLength;
    request.search = m_searchBox->text();
    request.matchCase = m_matchCase->isChecked();
    request.wholeWords = m_wholeWords->isChecked();
    for (std::size_t i = 0; i < m_separatorBoxes.size(); ++i)
        request.flags[i] = m_separatorBoxes[i]->isChecked();
    return request;
}

void FindPanel::syncSeparatorOptions()
{
    const bool wanted = m_wholeWords->isChecked();
    if (m_separatorGroup->isEnabled() == wanted)
        return;
    m_separatorGroup->setEnabled(wanted);
    for (QCheckBox *box : m_separatorBoxes)
        box->setEnabled(wanted);
}

} // namespace tamo
