#pragma once

#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRectF>
#include <QStringList>
#include <QStringListModel>

#include <vector>

// The window's controls, with the operations the handlers use: lists with a selected index
// whose change raises Click, a topic text box that speaks in positions of its CR LF text, a
// picture box that draws into a fractional rectangle, and a progress bar with real numbers.

// A list of texts shown in a view. Setting the selected index to another entry, or the user
// choosing one, raises Click before the call returns.
class ListBox : public QListView {
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent = nullptr);

    void AddItem(const QString &text);
    void Clear();
    void setItems(const QStringList &items); // replaces all entries, nothing selected
    const QStringList &items() const { return m_items; }
    qsizetype ListCount() const { return m_items.size(); }
    QString List(qsizetype index) const { return m_items.value(index); }

    int ListIndex() const { return m_listIndex; }
    void setListIndex(int index);

signals:
    void Click();

private:
    void onCurrentChanged(const QModelIndex &current);

    QStringListModel m_model;
    QStringList m_items;
    int m_listIndex = -1;
    bool m_quiet = false;
};

// The read-only, multi-line topic text. Its text holds CR LF line breaks, as the topic
// reader builds it, and every position (selection start and length) counts CR and LF as
// two characters; the editor underneath shows one break per CR LF.
class TopicTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TopicTextBox(QWidget *parent = nullptr);

    void setText(const QString &text); // puts the caret at the start
    const QString &text() const { return m_text; }

    qsizetype SelStart() const;
    qsizetype SelLength() const;
    QString SelText() const;
    // Selects and brings the selection into view.
    void setSelection(qsizetype start, qsizetype length);

signals:
    void KeyUp(int keyCode, int shift);
    void MouseUp();

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    qsizetype toEditor(qsizetype position) const;
    qsizetype fromEditor(qsizetype position) const;

    QString m_text;
    std::vector<qsizetype> m_breaks; // positions of the CR of every CR LF in m_text
};

// The one-line query box: reports key releases and gaining the focus.
class QueryBox : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void KeyUp(int keyCode, int shift);
    void GotFocus();

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};

// The one-line search string box: reports key presses.
class SearchBox : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void KeyDown(int keyCode, int shift);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A picture box with a 2-pixel sunken border; draws one picture stretched into a rectangle
// of its client area, given with fractions.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    void Cls();
    void PaintPicture(const QImage &picture, const QRectF &target);
    const QRectF &target() const { return m_target; }
    bool hasPicture() const { return !m_picture.isNull(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QRectF m_target;
};

// A progress bar whose minimum, maximum and value are real numbers (a search over a large
// file counts bytes beyond the range of an int); the bar shows them scaled.
class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget *parent = nullptr);

    double Min() const { return m_min; }
    double Max() const { return m_max; }
    double Value() const { return m_value; }
    void setMin(double v);
    void setMax(double v);
    void setValue(double v);
    void Refresh(); // repaint at once

private:
    void updateBar();
    double m_min = 0;
    double m_max = 100;
    double m_value = 0;
};

// Virtual key codes and the modifier mask of the window's handlers: 1 Shift, 2 Ctrl, 4 Alt.
int vbKeyCode(const QKeyEvent *event);
int vbShiftMask(Qt::KeyboardModifiers modifiers);
