// Colours in a text box: the engine says what each part of a line is
// (script_reader/syntax_spans.h), this maps each kind to a colour of the
// box's palette, light or dark. While the text holds a line longer than
// kLongestColouredLine, it stays plain: such a line is a minified page,
// and colouring it would cost seconds of layout and every keystroke. A
// text longer than kLargestColouredText stays plain too: colouring it
// would take most of the time of opening or converting it.
#pragma once

#include "script_reader/syntax_spans.h"

#include "readable_colours.h"

#include <QPalette>
#include <QSyntaxHighlighter>

#include <vector>

namespace tagora::runtime {

class SyntaxHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    enum class Language { None, Html, Script, Page };

    static constexpr int kLongestColouredLine = 10'000;
    static constexpr int kLargestColouredText = 1'000'000;

    explicit SyntaxHighlighter(QTextDocument* document);
    ~SyntaxHighlighter() override;

    // Html: HTML line by line; Script: a script of the target; Page: a
    // script or page read in Script to HTML mode, coloured whole.
    void setLanguage(Language language, Target target = Target::Php);
    Language language() const { return language_; }
    Target target() const { return target_; }
    // The size of a text going in a slice at a time (CodeTextBox::showText):
    // past kLargestColouredText, its first slices stay plain too. 0 when
    // the document holds all it will.
    void expectCharacters(qsizetype count) { expectedCharacters_ = count; }

    // Colours off and on again, whatever the text holds.
    void setShown(bool shown);
    // The colours of the palette: its base light or dark.
    void setPalette(const QPalette& palette);

    // Colouring the text changes its document's formats, which its editor
    // announces as a change of its text (textChanged()): true while the
    // highlighter does it of its own, not for an edit.
    bool recolouring() const { return recolouring_ > 0; }

    // The colour of a kind on the palette's base: readable on it.
    static QColor colourOf(syntax::Kind kind, const QPalette& palette);

protected:
    void highlightBlock(const QString& text) override;

private:
    std::vector<syntax::Span> lineSpans(const QString& text);
    std::vector<syntax::Span> pageSpansOf(int blockStart, int blockLength);

    Language language_ = Language::None;
    Target target_ = Target::Php;
    QPalette palette_;
    std::vector<syntax::Span> page_;  // Page: the whole text's spans
    bool pageIsCurrent_ = false;
    QTextDocument* text_;
    QMetaObject::Connection watchingChanges_;
    bool holdsLongLine_ = false;
    bool tooLarge_ = false;
    qsizetype expectedCharacters_ = 0;
    bool shown_ = true;
    bool listening_ = true;  // to the text's changes
    int recolouring_ = 0;

    struct Recolouring {
        explicit Recolouring(SyntaxHighlighter* colours) : colours_(colours) { ++colours_->recolouring_; }
        ~Recolouring() { --colours_->recolouring_; }
        Recolouring(const Recolouring&) = delete;
        Recolouring& operator=(const Recolouring&) = delete;
        SyntaxHighlighter* colours_;
    };

    void attachWhileWanted();
    void uncolourLongLines(int position, int added);
    void uncolourAllBut(int position, int added);
};

}  // namespace tagora::runtime
