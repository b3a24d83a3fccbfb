// How every text box of the program shows its text: the zoom and word
// wrap, the same in the input and output boxes and the viewer, so that
// the script lines up with its HTML. Remembered between runs.
#pragma once

#include <QObject>

namespace tagora::runtime {

class EditorView : public QObject {
    Q_OBJECT
public:
    // Zoom steps of one point each, from the font's own size.
    static constexpr int kSmallestZoom = -6;
    static constexpr int kLargestZoom = 24;

    // The one view of the program, read from the settings when first used.
    static EditorView& shared();

    int zoom() const { return zoom_; }
    bool wordWrap() const { return wordWrap_; }

    void setZoom(int zoom);  // kept within the limits
    void setWordWrap(bool wrap);

signals:
    void zoomChanged(int zoom);
    void wordWrapChanged(bool wrap);

private:
    EditorView();
    void remember() const;

    int zoom_ = 0;
    bool wordWrap_ = false;
};

}  // namespace tagora::runtime
