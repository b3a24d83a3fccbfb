// The bar that finds text in a text box, shown along the box's bottom
// edge: what to find, Previous and Next, Match Case, and what the last
// search found. Typing searches as one types; Enter finds the next
// match, Shift+Enter the previous one, and Escape closes the bar,
// giving the focus back to the box. No dialog: the text stays in view.
#pragma once

#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tagora::runtime {

enum class FindDirection { Forward, Backward };

// The next match of `text` after the selection (before it, going
// backward), going round the document's end once; a null cursor when the
// text is nowhere. `wrapped` says whether the search went round.
QTextCursor findAround(const QTextDocument* document, const QString& text, const QTextCursor& from,
                       FindDirection direction, bool matchCase, bool* wrapped = nullptr);

class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QPlainTextEdit* box);

    // Shows the bar with the box's selection (if on one line) as the text
    // to find, and focuses its field.
    void open();
    void close();
    // Selects the next or previous match in the box; opens the bar when
    // there is nothing to find yet.
    void find(FindDirection direction);

    QString text() const;
    void setText(const QString& text);
    bool matchCase() const;
    void setMatchCase(bool matchCase);
    // What the last search found: empty, "Not found" or that it went round.
    QString status() const;

signals:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void findAsTyped();
    void select(const QTextCursor& from, FindDirection direction);
    void showStatus(const QString& status, bool notFound);

    QPlainTextEdit* box_;
    QLineEdit* field_;
    QCheckBox* matchCase_;
    QLabel* status_;    // that the search went round
    QLabel* notFound_;  // in the error colour
};

}  // namespace tagora::runtime
