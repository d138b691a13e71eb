#ifndef KNOTEL_CURVEPRIVATE_H
#define KNOTEL_CURVEPRIVATE_H

#include "engine/ChangeSignals.h"
#include "engine/CurveEngine.h"

#include <memory>

namespace knotel {

class Curve;
class DrawingSurface;
class SettingsPanel;
class TrackerDisplay;
class ValueEditor;

/**
 * The widget's private side: its engine, the child widgets that show what the engine reports (the
 * drawing surface, the tracker boxes, the hidden settings panel, the value editor), and the
 * engine's client, which turns those reports into widget calls and the widget's signals.
 */
class CurvePrivate : public EngineClient {
public:
    explicit CurvePrivate(Curve* q);
    ~CurvePrivate();

    /** The private side of @p curve. */
    static CurvePrivate* get(Curve* curve);

    Curve* const q;
    CurveEngine engine;
    const ChangeSignals changeSignals;

    // Child widgets, owned by the control through Qt's parent tree.
    DrawingSurface* surface = nullptr;
    SettingsPanel* settingsPanel = nullptr;
    std::unique_ptr<TrackerDisplay> tracker;
    /** Made when first opened. */
    ValueEditor* valueEditor = nullptr;

    void createChildren();
    void rePaint();
    void resizeHandler();
    /** Computes the layout and shows or hides the tracker boxes it names. */
    void computeLayout();

    /** Opens the value editor on point @p slot; @p fromKeys gives the surface back a visible focus on
     *  cancel. */
    void openValueEditor(int slot, bool fromKeys);
    /** Applies the editor's typed values to its point. */
    void applyValueEditor();
    /** Closes the value editor without applying; @p refocus gives the surface the focus back. */
    void closeValueEditor(bool refocus);

    // EngineClient, with the canvas's host: the drawing surface.
    QSize canvasSize() const override;
    qreal canvasPixelRatio() const override;
    QSize canvasDpi() const override;
    void showArea(const QRect& area) override;
    void showAreas(const QRegion& areas) override;
    void showAll() override;
    bool hasFocus() const override;
    qreal physicalDpi() const override;
    bool raiseDrop(int index) override;
    void valueEntryRequested(int slot, bool fromKeys) override;
    bool changed(Change what) override;
    bool pasteRefused(const QString& reason) override;
};

} // namespace knotel

#endif
