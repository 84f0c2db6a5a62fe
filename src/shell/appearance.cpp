#include "shell/appearance.h"

#include "shell/layout.h"
#include "std/clock.h"
#include "std/textroutines.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>

// Q_INIT_RESOURCE may not be used inside a namespace.
static void registerShellResources()
{
    Q_INIT_RESOURCE(shell);
}

namespace tamo {

double systemClock()
{
    return secondsSinceMidnight(QTime::currentTime());
}

void prepareShell()
{
    static const bool prepared = [] {
        registerShellResources();
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"),
                                    QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
        QFont::insertSubstitutions(
            QStringLiteral("Times New Roman"),
            {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
        return true;
    }();
    Q_UNUSED(prepared);
}

// The fonts go by the names the windows were designed with; prepareShell() maps them to
// installed look-alikes.
QFont defaultWindowFont()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(8.25);
    return f;
}

void applyLayout(QWidget *control, const layout::Control &entry)
{
    control->setObjectName(QString::fromLatin1(entry.name));
    control->setGeometry(entry.place);
    const QString caption = entry.caption ? QString::fromUtf16(entry.caption) : QString();
    if (entry.caption) {
        if (auto *label = qobject_cast<QLabel *>(control))
            label->setText(caption);
        else if (auto *button = qobject_cast<QAbstractButton *>(control))
            button->setText(caption);
        else if (auto *group = qobject_cast<QGroupBox *>(control))
            group->setTitle(caption);
    }
    if (auto *label = qobject_cast<QLabel *>(control)) {
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::NoTextInteraction);
        label->setOpenExternalLinks(false);
    }
    control->setAccessibleName(entry.accessibleName ? QString::fromUtf16(entry.accessibleName)
                                                    : QString(caption).remove(u'&'));
}

QPushButton *makeButton(const layout::Control &entry, QWidget *parent)
{
    auto *button = makeControl<QPushButton>(entry, parent);
    button->setAutoDefault(false);
    return button;
}

void applyTabOrder(QWidget *root, std::span<const char *const> names, QWidget *previous)
{
    for (const char *name : names) {
        auto *control = root->findChild<QWidget *>(QString::fromLatin1(name));
        Q_ASSERT(control);
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

QString shownName(const QString &name)
{
    constexpr qsizetype kLongestShown = 200;
    return name.size() > kLongestShown ? elidedForMessage(name, kLongestShown) : name;
}

QMessageBox *makeMessageBox(const QString &text, const QString &title, QWidget *parent)
{
    auto *box = new QMessageBox(parent);
    box->setTextFormat(Qt::PlainText);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->setWindowTitle(title);
    box->setText(text);
    box->setStandardButtons(QMessageBox::Ok);
    return box;
}

} // namespace tamo
