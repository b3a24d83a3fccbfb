#include "editor_view.h"

#include "settings.h"

#include <algorithm>

namespace tagora::runtime {

EditorView::EditorView()
{
    const RememberedEditorView remembered = rememberedEditorView();
    zoom_ = std::clamp(remembered.zoom, kSmallestZoom, kLargestZoom);
    wordWrap_ = remembered.wordWrap;
}

EditorView& EditorView::shared()
{
    static EditorView view;
    return view;
}

void EditorView::setZoom(int zoom)
{
    zoom = std::clamp(zoom, kSmallestZoom, kLargestZoom);
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    remember();
    emit zoomChanged(zoom_);
}

void EditorView::setWordWrap(bool wrap)
{
    if (wrap == wordWrap_)
        return;
    wordWrap_ = wrap;
    remember();
    emit wordWrapChanged(wordWrap_);
}

void EditorView::remember() const
{
    rememberEditorView({zoom_, wordWrap_});
}

}  // namespace tagora::runtime
