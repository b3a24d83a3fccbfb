#include "settings.h"

#include <QSettings>

namespace tagora::runtime {
namespace {

const QString kTargetKey = QStringLiteral("conversion/target");
const QString kClassicKey = QStringLiteral("conversion/classic-escaping");
const QString kHeaderKey = QStringLiteral("script/header-comment");
const QString kVariableNameKey = QStringLiteral("script/javascript-name");
const QString kAsYouTypeKey = QStringLiteral("conversion/as-you-type");
const QString kScriptLanguageKey = QStringLiteral("conversion/script-language");
const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kSideBySideKey = QStringLiteral("window/side-by-side");
const QString kSplitterKey = QStringLiteral("window/splitter");
const QString kRecentFilesKey = QStringLiteral("files/recent");
const QString kZoomKey = QStringLiteral("editor/zoom");
const QString kWordWrapKey = QStringLiteral("editor/word-wrap");

QSettings settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tagora-converter"),
                     QStringLiteral("tagora-converter"));
}

}  // namespace

RememberedChoices rememberedChoices()
{
    const QSettings stored = settings();
    return {stored.value(kTargetKey).toString(), stored.value(kClassicKey, false).toBool(),
            stored.value(kAsYouTypeKey, true).toBool(), stored.value(kScriptLanguageKey).toString()};
}

void rememberChoices(const RememberedChoices& choices)
{
    QSettings stored = settings();
    stored.setValue(kTargetKey, choices.target);
    stored.setValue(kClassicKey, choices.classicEscaping);
    stored.setValue(kAsYouTypeKey, choices.convertAsYouType);
    stored.setValue(kScriptLanguageKey, choices.scriptLanguage);
}

QByteArray rememberedWindowGeometry()
{
    return settings().value(kGeometryKey).toByteArray();
}

void rememberWindowGeometry(const QByteArray& geometry)
{
    settings().setValue(kGeometryKey, geometry);
}

RememberedArrangement rememberedBoxArrangement()
{
    const QSettings stored = settings();
    return {stored.value(kSideBySideKey, false).toBool(), stored.value(kSplitterKey).toByteArray()};
}

void rememberBoxArrangement(const RememberedArrangement& arrangement)
{
    QSettings stored = settings();
    stored.setValue(kSideBySideKey, arrangement.sideBySide);
    stored.setValue(kSplitterKey, arrangement.splitter);
}

QStringList rememberedRecentFiles()
{
    return settings().value(kRecentFilesKey).toStringList();
}

void rememberRecentFiles(const QStringList& files)
{
    settings().setValue(kRecentFilesKey, files);
}

RememberedEditorView rememberedEditorView()
{
    const QSettings stored = settings();
    return {stored.value(kZoomKey, 0).toInt(), stored.value(kWordWrapKey, false).toBool()};
}

void rememberEditorView(const RememberedEditorView& view)
{
    QSettings stored = settings();
    stored.setValue(kZoomKey, view.zoom);
    stored.setValue(kWordWrapKey, view.wordWrap);
}

RememberedScriptOptions rememberedScriptOptions()
{
    const QSettings stored = settings();
    return {stored.value(kHeaderKey, true).toBool(), stored.value(kVariableNameKey).toString()};
}

void rememberScriptOptions(const RememberedScriptOptions& options)
{
    QSettings stored = settings();
    stored.setValue(kHeaderKey, options.header);
    stored.setValue(kVariableNameKey, options.variableName);
}

}  // namespace tagora::runtime
