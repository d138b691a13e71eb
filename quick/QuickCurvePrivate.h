#ifndef KNOTEL_QUICKCURVEPRIVATE_H
#define KNOTEL_QUICKCURVEPRIVATE_H

#include "QuickCurve.h"

#include "engine/ChangeSignals.h"
#include "engine/CurveEngine.h"

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>

#include <functional>
#include <vector>

class QPainter;
class QSGImageNode;

namespace knotel {

/**
 * The item's private side: its engine, the engine's client (item updates, QML's change signals,
 * droppedValue), and what the item hands to the scene graph: the canvas's picture, the tracker's
 * read-out box, the focus marker and the labels, each an image of its own, made on the GUI thread in
 * updatePolish() and handed over in updatePaintNode().
 */
class QuickCurvePrivate : public EngineClient {
public:
    explicit QuickCurvePrivate(QuickCurve* q);

    static QuickCurvePrivate* get(QuickCurve* item) { return item->d.get(); }

    QuickCurve* const q;
    CurveEngine engine;
    const ChangeSignals changeSignals;

    // The frame for the scene graph: the picture in tiles, and three layers over it, each an image
    // at a place: the read-out box, the focus marker and the labels last.
    struct Tile {
        QRect device;      ///< its pixels of the canvas's picture
        QRectF rect;       ///< where it shows, in item pixels
        QImage image;      ///< a copy of those pixels
        bool fresh = true; ///< not handed to the scene graph yet
    };
    /** The picture's tiles: a frame copies and hands over only those whose pixels changed. */
    std::vector<Tile> tiles;
    /** Where the picture changed since its tiles were copied, in item pixels. */
    QRegion pictureChanges;
    enum Layer { Readout, Marker, Labels, LayerCount };
    struct Image {
        QImage image;      ///< null: the layer shows nothing
        QRectF rect;       ///< in item pixels
        bool fresh = true; ///< not handed to the scene graph yet
    };
    Image layers[LayerCount];
    /** A host's write waits to be laid out and painted at the next frame. */
    bool rePaintDue = false;
    /** The picture, the read-out or the marker changed since their images were made. */
    bool pictureChanged = true;
    bool readoutChanged = true;
    bool markerChanged = true;
    bool labelsChanged = true;
    /** The scene graph's nodes of the tiles, under one node, and of the layers; only the render
     *  thread touches them. */
    QSGNode* pictureNode = nullptr;
    std::vector<QSGImageNode*> tileNodes;
    QSGImageNode* layerNodes[LayerCount] = {};

    /** The read-out box in item pixels: where the widget places its Text_Value_XY box. */
    QRect readoutBox() const;
    /** Asks for a frame: the next polish prepares it, the next sync hands it over. */
    void newFrame();
    /** Prepares the frame's images (the GUI thread's part of a frame). */
    void prepareFrame();
    /** Copies the tiles of @p frame, the canvas's picture (null: none yet), that changed. */
    void copyTiles(const QImage* frame);
    /** Makes @p layer a clear image over @p area (item pixels; null: none) on which @p draw paints in
     *  item coordinates. */
    void paintOverlay(Image& layer, const QRect& area, const std::function<void(QPainter&)>& draw) const;
    /** A host's write: shown at the next frame. */
    void written();
    /** Runs @p write, a host's write, reporting a failure to QML as a JavaScript error. */
    template <class Write> void hostWrite(Write&& write);
    /** Reports @p error to QML as a JavaScript error that names its number and cause. */
    void report(const RuntimeError& error) const;

    // EngineClient, with the canvas's host: the item.
    QSize canvasSize() const override;
    qreal canvasPixelRatio() const override;
    QSize canvasDpi() const override;
    void showArea(const QRect& area) override;
    bool hasFocus() const override;
    qreal physicalDpi() const override;
    bool raiseDrop(int index) override;
    void valueEntryRequested(int slot, bool fromKeys) override;
    bool changed(Change what) override;
    bool pasteRefused(const QString& reason) override;
    void showLabels(const QRect& area) override;
};

/** Registers the item's accessible chart with Qt, the first call only. */
void installQuickCurveAccessible();

} // namespace knotel

#endif
