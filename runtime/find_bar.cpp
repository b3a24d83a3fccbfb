#include "find_bar.h"

#include "code_text_box.h"
#include "readable_colours.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

namespace tagora::runtime {

QTextCursor findAround(const QTextDocument* document, const QString& text, const QTextCursor& from,
                       FindDirection direction, bool matchCase, bool* wrapped)
{
    if (wrapped)
        *wrapped = false;
    if (text.isEmpty())
        return QTextCursor();
    QTextDocument::FindFlags flags;
    if (matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (direction == FindDirection::Backward)
        flags |= QTextDocument::FindBackward;
    QTextCursor found = document->find(text, from, flags);
    if (!found.isNull())
        return found;
    QTextCursor round(const_cast<QTextDocument*>(document));
    if (direction == FindDirection::Backward)
        round.movePosition(QTextCursor::End);
    found = document->find(text, round, flags);
    if (wrapped && !found.isNull())
        *wrapped = true;
    return found;
}

namespace {

QToolButton* addButton(QWidget* bar, const char* name, const QString& text, const QString& tip)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    bar->layout()->addWidget(button);
    return button;
}

}  // namespace

FindBar::FindBar(QPlainTextEdit* box) : QWidget(box), box_(box)
{
    setObjectName(QStringLiteral("findBar"));
    setAccessibleName(tr("Find"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel(tr("Fi&nd:"), this);
    layout->addWidget(label);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("findText"));
    field_->setAccessibleName(tr("Text to find"));
    field_->setClearButtonEnabled(true);
    for (QToolButton* clearButton : field_->findChildren<QToolButton*>())
        clearButton->setAccessibleName(tr("Clear Text to Find"));
    field_->installEventFilter(this);
    label->setBuddy(field_);
    layout->addWidget(field_, 1);
    connect(addButton(this, "findPrevious", tr("Previous"), tr("Find Previous (Shift+F3)")), &QToolButton::clicked,
            this, [this] { find(FindDirection::Backward); });
    connect(addButton(this, "findNext", tr("Next"), tr("Find Next (F3)")), &QToolButton::clicked, this,
            [this] { find(FindDirection::Forward); });
    matchCase_ = new QCheckBox(tr("&Match Case"), this);
    matchCase_->setObjectName(QStringLiteral("findMatchCase"));
    layout->addWidget(matchCase_);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("findStatus"));
    layout->addWidget(status_);
    notFound_ = new QLabel(tr("Not found"), this);
    notFound_->setObjectName(QStringLiteral("findNotFound"));
    notFound_->setAccessibleName(tr("Not found"));
    setReadableColour(notFound_, QPalette::WindowText, QColor(192, 0, 0));
    notFound_->hide();
    layout->addWidget(notFound_);
    connect(addButton(this, "findClose", QStringLiteral("\u00D7"), tr("Close (Escape)")), &QToolButton::clicked, this,
            &FindBar::close);
    connect(field_, &QLineEdit::textEdited, this, &FindBar::findAsTyped);
    connect(matchCase_, &QCheckBox::toggled, this, &FindBar::findAsTyped);
    hide();
}

void FindBar::open()
{
    const QString selected = box_->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        field_->setText(selected);
    show();
    field_->selectAll();
    field_->setFocus();
}

void FindBar::close()
{
    if (isHidden())
        return;
    const bool focused = isAncestorOf(QApplication::focusWidget());
    hide();
    showStatus(QString(), false);
    if (focused)
        box_->setFocus();
    emit closed();
}

void FindBar::find(FindDirection direction)
{
    if (field_->text().isEmpty()) {
        open();
        return;
    }
    select(box_->textCursor(), direction);
}

// Typing extends the match in place: the search starts where the
// current selection does.
void FindBar::findAsTyped()
{
    QTextCursor from = box_->textCursor();
    from.setPosition(from.selectionStart());
    select(from, FindDirection::Forward);
}

void FindBar::select(const QTextCursor& from, FindDirection direction)
{
    if (auto* box = qobject_cast<CodeTextBox*>(box_))
        box->finishFilling();  // a search goes through the whole text
    bool wrapped = false;
    const QTextCursor found = findAround(box_->document(), field_->text(), from, direction, matchCase(), &wrapped);
    if (found.isNull()) {
        showStatus(QString(), !field_->text().isEmpty());
        return;
    }
    box_->setTextCursor(found);
    box_->ensureCursorVisible();
    showStatus(!wrapped ? QString()
               : direction == FindDirection::Forward ? tr("From the top")
                                                     : tr("From the bottom"),
               false);
}

void FindBar::showStatus(const QString& status, bool notFound)
{
    status_->setText(status);
    status_->setAccessibleName(status);
    notFound_->setVisible(notFound);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers() & Qt::ShiftModifier ? FindDirection::Backward : FindDirection::Forward);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString FindBar::text() const
{
    return field_->text();
}

void FindBar::setText(const QString& text)
{
    field_->setText(text);
}

bool FindBar::matchCase() const
{
    return matchCase_->isChecked();
}

void FindBar::setMatchCase(bool matchCase)
{
    matchCase_->setChecked(matchCase);
}

QString FindBar::status() const
{
    return notFound_->isVisibleTo(this) ? notFound_->text() : status_->text();
}

}  // namespace tagora::runtime
