// The status strip at the foot of the main window: a passing notice, else
// why the output is not the input's, else the credit line; the caret's
// place at its right end; and, while a script is offered to Script to
// HTML, the link that reads it.
#pragma once

#include <QFrame>

class QLabel;
class QTimer;

namespace tagora {

namespace runtime {
class CodeTextBox;
}
class LinkLabel;

class StatusStrip : public QFrame {
    Q_OBJECT
public:
    // How long a notice stays.
    static constexpr int kNoticeShownMs = 8000;

    enum class Tone { Plain, Error };

    explicit StatusStrip(QWidget* parent);

    // A passing notice; an error stays until the next.
    void say(const QString& text, Tone tone = Tone::Plain);
    void clearNotice();
    // Why the output is not the input's (empty: it is), shown while there
    // is no notice; in the error colour when the conversion failed.
    void showStanding(const QString& reason, bool failed);
    // A menu item's status tip while it is highlighted; empty: the strip's
    // own text comes back.
    void showTip(const QString& tip);
    // "Ln 12, Col 5" of the box the caret is in.
    void showCaretPlace(const runtime::CodeTextBox* box);
    // Says the notice with "Read it with Script to HTML" after it.
    void offerScriptToHtml(const QString& notice);
    void withdrawOffer();

signals:
    void scriptToHtmlAsked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showText();
    void placeCaretPlace();

    QString notice_;
    Tone noticeTone_ = Tone::Plain;
    QString standing_;
    bool failed_ = false;
    QTimer* noticeShown_ = nullptr;
    QLabel* creditLine_ = nullptr;
    LinkLabel* scriptOfferLink_ = nullptr;
    QLabel* caretPlace_ = nullptr;
};

}  // namespace tagora
