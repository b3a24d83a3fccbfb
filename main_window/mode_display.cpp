#include "mode_display.h"

#include "main_controls.h"
#include "main_menus.h"
#include "script_colours.h"
#include "script_output.h"
#include "window_conversion.h"

namespace tagora {

ModeDisplay::ModeDisplay(const Parts& parts, QObject* parent)
    : QObject(parent), parts_(parts)
{
    connect(parts.output, &ScriptOutput::stateChanged, this, &ModeDisplay::showCaptions);
    connect(parts.conversion, &WindowConversion::outputKindChanged, this, &ModeDisplay::showCaptions);
}

void ModeDisplay::showMode(bool withColon)
{
    outputCaptionHasColon_ = withColon;
    const std::optional<Target> mode = parts_.conversion->mode();
    parts_.menus->showMode(mode);
    parts_.controls->showMode(mode);
    showCaptions();
}

void ModeDisplay::showCaptions()
{
    const WindowConversion::OutputKind kind = parts_.conversion->outputKind();
    const ScriptOutput::State state = parts_.output->state();
    QString caption = kind.title;
    if (state == ScriptOutput::State::OutOfDate)
        caption = tr("%1 (out of date)").arg(caption);
    else if (state == ScriptOutput::State::Failed)
        caption = tr("%1 (none: the script cannot be read)").arg(caption);
    else if (outputCaptionHasColon_)
        caption += QLatin1Char(':');
    const bool readsScript = !parts_.conversion->mode();
    parts_.controls->showCaptions(readsScript, caption);
    parts_.menus->showNames(readsScript, kind.title);
    parts_.colours->showMode(parts_.conversion->mode());
}

}  // namespace tagora
