#include "status_strip.h"

#include "artwork.h"
#include "code_text_box.h"
#include "link_label.h"
#include "main_window_geometry.h"
#include "readable_colours.h"
#include "script_writer/credits.h"
#include "text_conversion.h"
#include "window_colours.h"
#include "window_helpers.h"

#include <QLabel>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>

namespace tagora {

using namespace runtime;

StatusStrip::StatusStrip(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFocusPolicy(Qt::NoFocus);
    const QPoint textPlace = geometry::kStatusTextPlace;
    creditLine_ = addLabel(this, "Label3", fromAscii(credits::creditLine()), textPlace, tahoma(8.25),
                           colours::kScriptBlue);
    scriptOfferLink_ = new LinkLabel(this);
    setUpLabel(scriptOfferLink_, "lblScriptToHtml", tr("Read it with Script to HTML"), textPlace,
               tahoma(8.25, false, true), colours::kLinkBlue);
    scriptOfferLink_->setCursor(artwork::linkCursor());
    scriptOfferLink_->setAccessibleDescription(tr("Chooses Script to HTML and reads the script into HTML"));
    scriptOfferLink_->hide();
    caretPlace_ = addLabel(this, "lblCaretPlace", QString(), textPlace, tahoma(8.25));
    noticeShown_ = new QTimer(this);
    noticeShown_->setSingleShot(true);
    noticeShown_->setInterval(kNoticeShownMs);
    connect(noticeShown_, &QTimer::timeout, this, [this] {
        notice_.clear();
        scriptOfferLink_->hide();
        showText();
    });
    connect(scriptOfferLink_, &LinkLabel::clicked, this, &StatusStrip::scriptToHtmlAsked);
}

void StatusStrip::say(const QString& text, Tone tone)
{
    notice_ = text;
    noticeTone_ = tone;
    noticeShown_->start();
    showText();
}

void StatusStrip::clearNotice()
{
    notice_.clear();
}

void StatusStrip::showStanding(const QString& reason, bool failed)
{
    standing_ = reason;
    failed_ = failed;
    showText();
}

void StatusStrip::showTip(const QString& tip)
{
    if (tip.isEmpty()) {
        showText();
        return;
    }
    setLabelText(creditLine_, tip);
    placeCaretPlace();
}

// Errors in the error colour.
void StatusStrip::showText()
{
    const bool error = notice_.isEmpty() ? failed_ : noticeTone_ == Tone::Error;
    const QString text = !notice_.isEmpty()    ? notice_
                         : !standing_.isEmpty() ? standing_
                                                : fromAscii(credits::creditLine());
    setReadableColour(creditLine_, QPalette::WindowText, error ? colours::kErrorRed : colours::kScriptBlue);
    setLabelText(creditLine_, text);
    creditLine_->setAccessibleName(text);
    placeCaretPlace();
}

// The column counts characters, a surrogate pair as one.
void StatusStrip::showCaretPlace(const CodeTextBox* box)
{
    const QTextCursor caret = box->textCursor();
    const QString line = caret.block().text().left(caret.positionInBlock());
    const auto column =
        line.size() - std::count_if(line.cbegin(), line.cend(), [](QChar c) { return c.isLowSurrogate(); });
    setLabelText(caretPlace_, tr("Ln %1, Col %2").arg(caret.blockNumber() + 1).arg(column + 1));
    placeCaretPlace();
}

void StatusStrip::offerScriptToHtml(const QString& notice)
{
    say(notice);
    scriptOfferLink_->move(creditLine_->geometry().right() + px(geometry::kStatusTextPlace.x()), creditLine_->y());
    scriptOfferLink_->show();
}

void StatusStrip::withdrawOffer()
{
    scriptOfferLink_->hide();
}

void StatusStrip::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    placeCaretPlace();
}

// The caret's place at the right end; the text is cut short before it.
void StatusStrip::placeCaretPlace()
{
    const int margin = px(geometry::kStatusTextPlace.x());
    caretPlace_->move(width() - caretPlace_->width() - margin, caretPlace_->y());
    const int room = caretPlace_->x() - margin - creditLine_->x();
    creditLine_->resize(std::min(creditLine_->sizeHint().width(), std::max(room, 0)), creditLine_->height());
}

}  // namespace tagora
