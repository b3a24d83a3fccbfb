// The output box and whether it holds the conversion of the input now in
// the input box: current, out of date (the input changed since), or failed
// (the script could not be read). Only a current output is handed out, and
// never with a character listing appended to it.
#pragma once

#include <QObject>
#include <QTextCursor>

#include <optional>

namespace tagora {

namespace runtime {
class CodeTextBox;
}
class ScriptColours;
class StatusStrip;

class ScriptOutput : public QObject {
    Q_OBJECT
public:
    enum class State { Current, OutOfDate, Failed };

    ScriptOutput(runtime::CodeTextBox* box, ScriptColours* colours, StatusStrip* statusStrip);

    State state() const { return state_; }
    // A new output, which replaces any listing with it.
    void show(const QString& text);
    // An out-of-date output stays for the user to read, but it is grey and
    // plain; the status strip gives the reason, if any.
    void setState(State state, const QString& reason = QString());

    // The whole text, and what Copy Script and Save Script hand out: the
    // output without a character listing.
    QString text() const;
    QString scriptText() const;
    // Something to copy or save: a current output that is not empty.
    bool usable() const;
    // Appends a character listing after whatever the box holds, selected.
    void appendListing(const QString& listing);

    // What Clear takes away and Undo Clear brings back.
    struct Saved {
        QString text;
        State state;
        QString reason;
        std::optional<int> listingStart;
    };
    Saved saved() const;
    void empty();
    void restore(const Saved& saved);

signals:
    void stateChanged();   // the captions follow
    void usableChanged();  // the Copy and Save commands follow

private:
    runtime::CodeTextBox* box_;
    ScriptColours* colours_;
    StatusStrip* statusStrip_;
    State state_ = State::Current;
    QString reason_;
    std::optional<QTextCursor> listingStart_;  // where a character listing starts
};

}  // namespace tagora
