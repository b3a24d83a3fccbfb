#include "target_texts.h"

#include "text_conversion.h"

#include <QCoreApplication>
#include <QStringList>

namespace tagora {
namespace {

// PHP keeps version 1.0's message.
constexpr TargetTexts kTargetTexts[] = {
    {Target::Php, "mnuToPHP", QT_TRANSLATE_NOOP("frm_Main", "HTML to &PHP"),
     QT_TRANSLATE_NOOP("frm_Main", "PHP script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "PHP scripts (*.php)")},
    {Target::Asp, "mnuToASP", QT_TRANSLATE_NOOP("frm_Main", "HTML to &ASP"),
     QT_TRANSLATE_NOOP("frm_Main", "ASP script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "ASP scripts (*.asp)")},
    {Target::PhpNowdoc, "mnuToPHPNowdoc", QT_TRANSLATE_NOOP("frm_Main", "HTML to PHP &Nowdoc"),
     QT_TRANSLATE_NOOP("frm_Main", "PHP nowdoc script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "PHP scripts (*.php)")},
    {Target::Js, "mnuToJS", QT_TRANSLATE_NOOP("frm_Main", "HTML to &JavaScript"),
     QT_TRANSLATE_NOOP("frm_Main", "JavaScript has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "JavaScript files (*.js)")},
    {Target::JsConcat, "mnuToJSConcat", QT_TRANSLATE_NOOP("frm_Main", "HTML to JavaScript S&trings"),
     QT_TRANSLATE_NOOP("frm_Main", "JavaScript has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "JavaScript files (*.js)")},
    {Target::Json, "mnuToJSON", QT_TRANSLATE_NOOP("frm_Main", "HTML to JS&ON"),
     QT_TRANSLATE_NOOP("frm_Main", "JSON has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "JSON files (*.json)")},
    {Target::Jsp, "mnuToJSP", QT_TRANSLATE_NOOP("frm_Main", "HTML to J&SP"),
     QT_TRANSLATE_NOOP("frm_Main", "JSP script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "JSP pages (*.jsp)")},
    {Target::Perl, "mnuToPerl", QT_TRANSLATE_NOOP("frm_Main", "HTML to P&erl"),
     QT_TRANSLATE_NOOP("frm_Main", "Perl script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "Perl scripts (*.pl)")},
    {Target::Python, "mnuToPython", QT_TRANSLATE_NOOP("frm_Main", "HTML to P&ython"),
     QT_TRANSLATE_NOOP("frm_Main", "Python script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "Python scripts (*.py)")},
};

static_assert(std::size(kTargetTexts) == kTargetCount, "one row per target");
static_assert([] {
    for (std::size_t i = 0; i < std::size(kTargetTexts); ++i) {
        if (static_cast<std::size_t>(kTargetTexts[i].target) != i)
            return false;
    }
    return true;
}(), "the texts are in the order of the targets");

}  // namespace

const TargetTexts& textsOf(Target target)
{
    return kTargetTexts[static_cast<std::size_t>(target)];
}

QString translated(const char* text)
{
    return QCoreApplication::translate("frm_Main", text);
}

QString titleOf(Target target)
{
    return runtime::fromAscii(targetInfo(target).title);
}

QString withoutAccessKey(const char* caption)
{
    return translated(caption).remove(QLatin1Char('&'));
}

QString templateTitle(Target language)
{
    QString title = titleOf(language);
    title.replace(QStringLiteral(" Script"), QString());
    return QCoreApplication::translate("frm_Main", "%1 Template").arg(title);
}

QString targetCaptions()
{
    QStringList captions;
    for (const TargetTexts& texts : kTargetTexts)
        captions << QStringLiteral("'") + withoutAccessKey(texts.caption) + QStringLiteral("'");
    return captions.join(QStringLiteral(", "));
}

}  // namespace tagora
