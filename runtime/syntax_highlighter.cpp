#include "syntax_highlighter.h"

#include "code_text_box.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace tagora::runtime {
namespace {

using syntax::Kind;

// The colours on a light background; on a dark one each is made lighter
// in its hue until it reads as well.
QColor lightColourOf(Kind kind)
{
    switch (kind) {
    case Kind::Tag:
        return QColor(128, 0, 0);
    case Kind::Attribute:
        return QColor(178, 34, 34);
    case Kind::AttributeValue:
        return QColor(0, 0, 192);
    case Kind::Entity:
        return QColor(139, 0, 139);
    case Kind::HtmlComment:
    case Kind::Comment:
        return QColor(0, 128, 0);
    case Kind::Doctype:
        return QColor(91, 75, 155);
    case Kind::CodeIsland:
        return QColor(176, 0, 0);
    case Kind::Header:
        return QColor(105, 105, 105);
    case Kind::Keyword:
        return QColor(0, 0, 139);
    case Kind::Variable:
        return QColor(0, 96, 96);
    case Kind::Number:
        return QColor(160, 80, 0);
    case Kind::String:
        return QColor(163, 21, 21);
    case Kind::Escape:
        return QColor(160, 0, 160);
    }
    return QColor(0, 0, 0);
}

// The line's offsets of the spans inside [start, start + length).
std::vector<syntax::Span> within(const std::vector<syntax::Span>& spans, std::size_t start, std::size_t length)
{
    std::vector<syntax::Span> found;
    const auto first = std::lower_bound(spans.begin(), spans.end(), start,
                                        [](const syntax::Span& span, std::size_t at) { return span.end <= at; });
    for (auto span = first; span != spans.end() && span->begin < start + length; ++span) {
        const std::size_t begin = std::max(span->begin, start);
        const std::size_t end = std::min(span->end, start + length);
        if (begin < end)
            found.push_back({begin - start, end - start, span->kind});
    }
    return found;
}

// A block's state in Page mode: a digest of its colours, so that a change
// that recolours the next lines goes on to them.
int digest(const std::vector<syntax::Span>& spans)
{
    unsigned value = 17;
    for (const syntax::Span& span : spans)
        value = value * 31 + static_cast<unsigned>(span.begin * 7 + span.end * 13 + static_cast<unsigned>(span.kind));
    return static_cast<int>(value & 0x3FFF'FFFF);
}

}  // namespace

// The page's spans are marked out of date, and a line too long to colour
// seen, before the highlighter hears of a change: this connection comes
// first. While the text holds such a line, the highlighter stops
// listening to its changes: it would otherwise go through every character
// of the line, at every keystroke, to find that nothing is coloured (and
// letting go of the text would lay the line out again).
SyntaxHighlighter::SyntaxHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(static_cast<QObject*>(document)), text_(document)
{
    watchingChanges_ = connect(document, &QTextDocument::contentsChange, this, [this](int position, int removed, int added) {
        pageIsCurrent_ = false;
        holdsLongLine_ = holdsLineLongerThan(text_, kLongestColouredLine, holdsLongLine_, position, removed, added);
        if (holdsLongLine_)
            uncolourLongLines(position, added);
        const bool wasTooLarge = tooLarge_;
        tooLarge_ = std::max<qsizetype>(text_->characterCount(), expectedCharacters_) > kLargestColouredText;
        if (tooLarge_ && !wasTooLarge && listening_)
            uncolourAllBut(position, added);
        attachWhileWanted();
    });
    const Recolouring recolouring(this);
    setDocument(document);
    rehighlight();  // now, not later: the change it makes is no edit
}

// The base class lets go of the text after this part of the object is
// gone, and clearing the colours then changes the text: the watch on its
// changes goes first.
SyntaxHighlighter::~SyntaxHighlighter()
{
    disconnect(watchingChanges_);
}

void SyntaxHighlighter::setShown(bool shown)
{
    const Recolouring recolouring(this);
    shown_ = shown;
    if (!shown) {
        setDocument(nullptr);
        listening_ = false;
    }
    attachWhileWanted();
}

// Attaching again colours the whole text.
void SyntaxHighlighter::attachWhileWanted()
{
    const bool wanted = shown_ && !holdsLongLine_ && !tooLarge_;
    if (wanted == listening_)
        return;
    listening_ = wanted;
    if (wanted) {
        const Recolouring recolouring(this);
        setDocument(nullptr);
        setDocument(text_);
        rehighlight();
    } else {
        disconnect(text_, SIGNAL(contentsChange(int,int,int)), this, SLOT(_q_reformatBlocks(int,int,int)));
    }
}

// The lines a change made too long keep no colours of before.
void SyntaxHighlighter::uncolourLongLines(int position, int added)
{
    const QTextBlock end = text_->findBlock(position + added).next();
    for (QTextBlock block = text_->findBlock(position); block.isValid() && block != end; block = block.next()) {
        if (block.length() - 1 > kLongestColouredLine && !block.layout()->formats().isEmpty())
            block.layout()->clearFormats();
    }
}

// A text grown too large keeps no colours of before; the lines just
// inserted have none yet.
void SyntaxHighlighter::uncolourAllBut(int position, int added)
{
    const QTextBlock first = text_->findBlock(position);
    const QTextBlock after = text_->findBlock(position + added).next();
    for (QTextBlock block = text_->begin(); block.isValid();) {
        if (block == first) {
            block = after;
            continue;
        }
        if (!block.layout()->formats().isEmpty())
            block.layout()->clearFormats();
        block = block.next();
    }
}

void SyntaxHighlighter::setLanguage(Language language, Target target)
{
    if (language == language_ && target == target_)
        return;
    language_ = language;
    target_ = target;
    pageIsCurrent_ = false;
    if (listening_) {
        const Recolouring recolouring(this);
        rehighlight();
    }
}

void SyntaxHighlighter::setPalette(const QPalette& palette)
{
    if (palette.color(QPalette::Base) == palette_.color(QPalette::Base))
        return;
    palette_ = palette;
    if (listening_) {
        const Recolouring recolouring(this);
        rehighlight();
    }
}

QColor SyntaxHighlighter::colourOf(Kind kind, const QPalette& palette)
{
    return readableOn(lightColourOf(kind), palette.color(QPalette::Base));
}

void SyntaxHighlighter::highlightBlock(const QString& text)
{
    const int previous = std::max(previousBlockState(), 0);
    if (language_ == Language::None || text.size() > kLongestColouredLine) {
        setCurrentBlockState(previous);
        return;
    }
    const std::vector<syntax::Span> spans = language_ == Language::Page
                                                ? pageSpansOf(currentBlock().position(), int(text.size()))
                                                : lineSpans(text);
    for (const syntax::Span& span : spans) {
        QTextCharFormat format;
        format.setForeground(colourOf(span.kind, palette_));
        if (span.kind == Kind::Keyword || span.kind == Kind::Tag)
            format.setFontWeight(QFont::Bold);
        if (span.kind == Kind::Comment || span.kind == Kind::HtmlComment || span.kind == Kind::Header)
            format.setFontItalic(true);
        setFormat(int(span.begin), int(span.end - span.begin), format);
    }
    if (language_ == Language::Page)
        setCurrentBlockState(digest(spans));
}

std::vector<syntax::Span> SyntaxHighlighter::lineSpans(const QString& text)
{
    int state = std::max(previousBlockState(), 0);
    const std::u16string_view line(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
    std::vector<syntax::Span> spans =
        language_ == Language::Html ? syntax::htmlLine(line, state) : syntax::scriptLine(target_, line, state);
    setCurrentBlockState(state);
    return spans;
}

// The whole text's spans, worked out again once the text has changed.
std::vector<syntax::Span> SyntaxHighlighter::pageSpansOf(int blockStart, int blockLength)
{
    if (!pageIsCurrent_) {
        const QString whole = document()->toPlainText();
        page_ = syntax::pageSpans(std::u16string_view(reinterpret_cast<const char16_t*>(whole.utf16()),
                                                      std::size_t(whole.size())));
        std::sort(page_.begin(), page_.end(),
                  [](const syntax::Span& a, const syntax::Span& b) { return a.begin < b.begin; });
        pageIsCurrent_ = true;
    }
    return within(page_, std::size_t(blockStart), std::size_t(blockLength));
}

}  // namespace tagora::runtime
