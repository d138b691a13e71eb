#ifndef KNOTEL_PLATFORM_CANVAS_H
#define KNOTEL_PLATFORM_CANVAS_H

#include "platform/DrawCall.h"
#include "platform/FigureCache.h"
#include "platform/LabelMemo.h"
#include "platform/LayerCache.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPen>
#include <QRegion>

#include <climits>
#include <exception>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QPainter;
class QStaticText;

namespace knotel::platform {

enum class MousePointer { Default = 0, Crosshair = 2 };

/**
 * What a canvas needs of the place that shows it (a widget, a Qt Quick item): the size and pixel
 * ratio its picture is for, the resolution that text is measured at, and where to show changes.
 */
class CanvasHost {
public:
    /** The size in logical pixels. */
    virtual QSize canvasSize() const = 0;
    /** Device pixels per logical pixel; looked up when a run of drawing starts. */
    virtual qreal canvasPixelRatio() const = 0;
    /** The logical dots per inch, horizontally and vertically, that text is laid out at. */
    virtual QSize canvasDpi() const = 0;
    /** Shows the pixels of @p area (logical pixels) again, from the picture. */
    virtual void showArea(const QRect& area) = 0;
    virtual void showAreas(const QRegion& areas)
    {
        for (const QRect& area : areas)
            showArea(area);
    }
    /** Shows the whole picture again. */
    virtual void showAll() { showArea(QRect(QPoint(), canvasSize())); }

protected:
    ~CanvasHost() = default;
};

/**
 * The canvas: the control's picture in a backing image, and the drawing calls that paint into it.
 * It knows nothing of widgets or Qt Quick: its host gives it the size, the pixel ratio and the
 * resolution, and shows what changed.
 *
 * The image has the host's device pixel ratio and follows it when the screen changes, so the
 * picture is as sharp as the screen. All drawing is in logical pixels: lines are one logical pixel
 * wide at every ratio, lines along an axis, boxes and filled boxes cover whole logical pixels, and
 * at ratio 1 every figure is drawn with Qt's one-pixel cosmetic pen.
 *
 * Every operation draws into the image at once, with unrounded float coordinates in pixels,
 * and asks the host to show the pixels it can have touched (its bounding box, widened by the pen
 * and clipped to the canvas); cls() and a size change show the whole canvas. When the image holds
 * no picture for the host's size and ratio (first show, a size change), needsPicture() says so,
 * and the owner draws one.
 *
 * In XorPen mode every touched pixel, fills included, is combined with the drawing colour by
 * exclusive or, so drawing the same figure twice restores the picture exactly.
 *
 * A figure drawn before is drawn again by replaying what its first drawing did to the pixels
 * (FigureCache), and a label drawn again over the pixels it was first drawn over by writing the
 * pixels it left (LabelMemo): the same pixels for a few memory operations.
 *
 * A paint pass drawn through a Canvas::Pass keeps its background from one pass to the next and
 * draws only what changed (LayerCache).
 *
 * Coordinates that are not finite are refused with knotel::RuntimeError 6 and draw nothing.
 * Colours are 0x00BBGGRR. Text is drawn and measured in the canvas's own font.
 */
class Canvas {
public:
    explicit Canvas(CanvasHost& host);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    /** Fills the whole surface with the back colour and sets the current position to (0, 0). */
    void cls();
    /** A line in @p colour with the current draw style; the current position becomes (x2, y2). */
    void line(float x1, float y1, float x2, float y2, qint32 colour);
    /** A rectangle outline with corners (x1, y1) and (x2, y2). */
    void box(float x1, float y1, float x2, float y2, qint32 colour);
    /** A rectangle with corners (x1, y1) and (x2, y2), outline and interior in @p colour. */
    void filledBox(float x1, float y1, float x2, float y2, qint32 colour);
    /** A circle outline in @p colour; the interior follows the fill colour and fill style. */
    void circle(float x, float y, float radius, qint32 colour);
    /** Draws @p text with its cell's top-left corner at the current position in the fore colour. */
    void print(const QString& text, bool lineBreak = false);

    float currentX() const { return m_currentX; }
    float currentY() const { return m_currentY; }
    void setCurrentX(float x);
    void setCurrentY(float y);
    void setForeColor(qint32 colour) { m_foreColor = colour; }
    qint32 foreColor() const { return m_foreColor; }
    void setDrawStyle(DrawStyle style) { m_drawStyle = style; }
    DrawStyle drawStyle() const { return m_drawStyle; }
    void setDrawMode(DrawMode mode) { m_drawMode = mode; }
    DrawMode drawMode() const { return m_drawMode; }
    void setFillColor(qint32 colour) { m_fillColor = colour; }
    qint32 fillColor() const { return m_fillColor; }
    void setFillStyle(FillStyle style) { m_fillStyle = style; }
    FillStyle fillStyle() const { return m_fillStyle; }

    /** Width and height that @p text takes in the current font, in pixels. */
    float textWidth(const QString& text) const;
    float textHeight(const QString& text) const;
    /** Inner size in pixels. */
    float scaleWidth() const { return float(m_host.canvasSize().width()); }
    float scaleHeight() const { return float(m_host.canvasSize().height()); }

    /** The font that text is drawn and measured in. */
    const QFont& font() const { return m_textFont; }
    void setFont(const QFont& font);
    float fontSize() const;
    void setFontSize(float points);
    void setFontBold(bool bold);

    /** Sets the back colour and erases the picture to it, as cls() does, keeping the current position. */
    void setBackColor(qint32 colour);
    qint32 backColor() const { return m_backColor; }
    /** 0 none, 1 fixed single; the canvas draws no frame of its own either way. */

    /**
     * While an UpdateBatch lives, the boxes of the drawing calls are collected and scheduled as
     * one update when the outermost batch ends, merged into a few rectangles: many small updates
     * each cost a region union in Qt's repaint bookkeeping.
     */
    class UpdateBatch {
    public:
        explicit UpdateBatch(Canvas& canvas) : m_surface(canvas) { ++m_surface.m_batchDepth; }
        ~UpdateBatch()
        {
            if (--m_surface.m_batchDepth == 0)
                m_surface.flushUpdates();
        }
        UpdateBatch(const UpdateBatch&) = delete;
        UpdateBatch& operator=(const UpdateBatch&) = delete;

    private:
        Canvas& m_surface;
    };

    /** A copy of the current picture. */
    QImage image();
    /** The current picture itself, valid until the next drawing call or size change. The raster
     * painter draws straight into the image, so a run of drawing need not end to read it. */
    const QImage& picture() const { return m_image; }
    /** Receives every drawing call from now on; an empty function stops recording. */
    void setRecorder(std::function<void(const DrawCall&)> recorder) { m_recorder = std::move(recorder); }

    /** True when the image holds no picture for the host's size and ratio: the owner should draw one. */
    bool needsPicture() const;
    /** The host has shown what changed: drawing reports its areas again from here on, and the next
     *  run of drawing looks up the host's size and ratio again. */
    void shown();
    /** Ends the current run of drawing: the picture is complete for reading or copying. */
    void endPainting();

    /** Whether drawing may replay what an earlier identical drawing did, figures, texts and the
     *  background of a paint pass (on by default); for tests that compare replayed pictures with
     *  drawn ones. */
    void setFigureCacheEnabled(bool enabled);
    const FigureCache& figureCache() const { return m_figures; }

    class Pass;

private:
    /** Starts a run of drawing, renewing the image when the size or ratio changed; false when
     *  there is no image to draw in. */
    bool startDrawing();
    /** The painter on the image, in the composition of the draw mode; within a run of drawing. */
    QPainter& painter();
    /** A new image for the current size and device pixel ratio, filled with the back colour. */
    void renewImage();
    bool imageFits(qreal ratio) const { return m_imageSize == m_host.canvasSize() && m_ratio == ratio; }
    QRect canvasRect() const { return QRect(QPoint(), m_host.canvasSize()); }
    void preparePen(QPainter& p, qint32 colour);
    /** A line with the prepared pen at a ratio other than 1. */
    void scaledLine(QPainter& p, float x1, float y1, float x2, float y2);
    /** A figure's extent in logical pixels, by two opposite corners as they are: a QRectF keeps a
     *  width, and a corner near the surface plus a width 10^24 pixels long is lost. */
    struct Extent {
        double x1, y1, x2, y2;
        static Extent of(const QRectF& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
    };
    /**
     * Draws a figure with @p draw, or replays an earlier identical drawing. @p key holds all that
     * decides its pixels besides @p shift, the device offset of a figure keyed by its shape;
     * @p box is its extent in logical pixels.
     */
    template <class Draw>
    void drawFigure(FigureCache::Key key, const Extent& box, qint32 colour, QPoint shift, Draw&& draw);
    /** The key of a figure in the current draw mode and style, placed by @p geometry. */
    FigureCache::Key figureKey(quint32 kind, qint32 colour, std::initializer_list<float> geometry) const;
    /**
     * For a figure placed by whole cells (logical pixels) whose drawing is the same wherever it
     * stands: its key by shape and phase, and its device offset, or nothing where that does not
     * hold. @p cells places it, @p extent is its box, @p size tells apart shapes of one box.
     */
    std::optional<std::pair<FigureCache::Key, QPoint>>
    shapeKey(quint32 kind, qint32 colour, const QRect& cells, const QRectF& extent, quint32 size) const;
    /** Whether figures and texts are replayed and recorded. Not in the live layer of a pass that
     *  reuses the background: what it draws there has changed, and a record would not pay off. */
    bool replaying() const
    {
        return m_figuresEnabled && !(m_passMode == PassMode::Reuse && m_stage == Stage::Live);
    }
    /** Whether @p r lies where a figure may be keyed by its shape. */
    bool insideShapeArea(const QRectF& r) const
    {
        return r.left() >= m_shapeArea.left() && r.top() >= m_shapeArea.top() &&
               r.right() < m_shapeArea.right() && r.bottom() < m_shapeArea.bottom();
    }
    /** The pixels of a solid horizontal or vertical line when a fill can draw it, else nothing. */
    std::optional<QRect> solidAxisLine(float x1, float y1, float x2, float y2) const;
    /** Passes the call that @p call makes to the recorder, when there is one. */
    template <class MakeCall> void record(MakeCall&& call) const
    {
        if (m_recorder)
            m_recorder(call());
    }
    // The drawing itself, in the current state, with the screen update: the calls above check and
    // record, then draw through these, and an XOR figure is erased by drawing it again.
    void drawLine(float x1, float y1, float x2, float y2, qint32 colour);
    void drawBox(float x1, float y1, float x2, float y2, qint32 colour);
    void drawFilledBox(float x1, float y1, float x2, float y2, qint32 colour);
    void drawCircle(float x, float y, float radius, qint32 colour);
    /** Draws the XOR figure of @p call again (which erases it), in the state it was made in. */
    void drawFigureAgain(const DrawCall& call);
    /** @p call with the drawing state it is made in. */
    DrawCall inState(DrawCall call) const;

    // CanvasLayers.cpp: the layers of a paint pass, see Pass.
    enum class PassMode { Plain, Keep, Reuse };
    enum class Stage { None, Clear, FrameAlone, Measure, Live, Frame, Curve };
    /** What a drawing call does in the current stage of a pass, around @p draw, which draws it:
     *  @p call and @p box make the call and its extent where a stage needs them; @p text tells
     *  whether it is a text. */
    template <class MakeCall, class MakeBox, class Draw>
    void layered(MakeCall&& call, MakeBox&& box, bool text, Draw&& draw);
    /** The area of a figure's (or a text's) box as the layers track it. */
    LayerCache::Area layerArea(const Extent& box, bool text) const;
    LayerCache::Area deviceArea(const QRect& logical) const;
    void beginPass(bool sameKey);
    void endPass(bool failed);
    void enterStage(Stage stage);
    /** Decides which live calls a pass that reuses the background draws again, and restores the
     *  background where they and anything drawn since lie. */
    void restoreChangedLive();
    /** Draws the last pass's XOR figures again within the areas restored. */
    void restoreFigures();
    /** A live call of @p area is drawn: the base under it where the live layer has not drawn yet. */
    void prepareLive(const LayerCache::Area& area);
    /** Shows the areas a pass that reuses the background changed besides its curve. */
    void showPassAreas();
    /** Keeps the pixels of @p device, to be put back outside the areas @p drawn then. */
    void keepAround(const QRect& device);
    void restoreAround(const QRect& device, const std::vector<LayerCache::Area>& drawn);
    /** Schedules the update of @p box (logical pixels, unclipped), widened by @p margin. */
    void touched(const Extent& box, qreal margin);
    /** Whether @p box lies near enough that a figure in it touches no pixel outside it. */
    static bool withinReach(const Extent& box);
    /** Schedules the update of the pixels a figure in @p box can have touched. */
    void touchedFigure(const Extent& box);
    void touched(const QRectF& box, qreal margin) { touched(Extent::of(box), margin); }
    /** The logical pixels of @p box widened by @p margin, cut to the canvas; null when none. */
    QRect pixelArea(const Extent& box, qreal margin) const;
    /** Shows @p pixels again, or collects them for the end of the batch or pass. */
    void showPixels(const QRect& pixels);
    void updateAll();
    void flushUpdates();
    void clearDue();
    struct FontCache;
    FontCache& fontCache() const;
    /** horizontalAdvance() of @p text in the current font, remembered per font. */
    qreal advance(const QString& text) const;
    const QStaticText& staticText(const QString& text) const;

    CanvasHost& m_host;
    QFont m_textFont;
    QImage m_metricsDevice; ///< an empty image at the host's resolution, for font metrics
    QImage m_image;
    QSize m_imageSize; ///< The logical size that m_image was made for
    qreal m_ratio = 1; ///< Its device pixel ratio
    std::unique_ptr<QPainter> m_painter;
    bool m_drawing = false; ///< a run of drawing has started: the ratio is not looked up again
    FigureCache m_figures;
    LabelMemo m_labels;
    // The layers of paint passes: what is kept, how the current pass uses it, and where it stands.
    /** What the base leaves of the drawing state, set again when a pass reuses the background. */
    struct BaseState {
        float currentX = 0;
        float currentY = 0;
        qint32 foreColor = 0;
    };
    /** The canvas's part of a pass's key. */
    struct PassKey {
        QSize size;
        qreal ratio = 0;
        QSize dpi;
        QFont font;
        qint32 backColor = 0;
        bool operator==(const PassKey&) const = default;
    };
    LayerCache m_layers;
    PassMode m_passMode = PassMode::Plain;
    Stage m_stage = Stage::None;
    BaseState m_baseState;
    PassKey m_passKey;
    std::vector<LayerCache::Area> m_restored; ///< where a reusing pass restored the background
    std::vector<LayerCache::Area> m_redrawn; ///< this pass's live calls drawn: where the frame is drawn again
    std::vector<bool> m_redraw;     ///< for each live call of a reusing pass, whether it is drawn again
    std::size_t m_liveCall = 0;     ///< the next live call of a reusing pass
    std::vector<QRect> m_passAreas; ///< changed areas of a pass's live layer and frame
    std::vector<quint32> m_around;  ///< the pixels around a figure drawn again within areas
    bool m_quiet = false;           ///< drawing shows nothing: its areas are shown already
    FigureCache::Pixels m_pixels;   ///< of m_image, within a run of drawing
    bool m_figuresEnabled = true;
    int m_shapePeriod = 0; ///< logical pixels after which a shape repeats in device pixels; 0: never
    QRectF m_shapeArea;    ///< where a figure's box must lie to be keyed by its shape
    bool m_pictureValid = false;
    float m_currentX = 0, m_currentY = 0;
    qint32 m_foreColor = 0;
    qint32 m_backColor = 0xFFFFFF;
    qint32 m_fillColor = 0;
    DrawStyle m_drawStyle = DrawStyle::Solid;
    DrawMode m_drawMode = DrawMode::CopyPen;
    FillStyle m_fillStyle = FillStyle::Transparent;
    std::function<void(const DrawCall&)> m_recorder;
    // The pen of the last line or outline, reused while its colour and style stay the same.
    QPen m_pen;
    qint32 m_penColour = 0;
    DrawStyle m_penStyle = DrawStyle::Solid;
    bool m_penValid = false;
    // The pen of the last text, and whether the painter has the current font.
    QPen m_textPen;
    qint32 m_textPenColour = 0;
    bool m_textPenValid = false;
    bool m_painterFontValid = false;
    // Screen updates: the whole surface is due for one, or the boxes collected in a batch.
    bool m_allDue = false;
    int m_batchDepth = 0;
    std::vector<QRect> m_due; ///< per column strip, the bounding rectangle of the boxes in it
    int m_dueFirst = INT_MAX; ///< the strips in use, first to last; none when last is -1
    int m_dueLast = -1;
    std::vector<QRect> m_dueRects; ///< the rectangles of the last screen update
    // The metrics of the last few fonts and the advances of the texts measured in them: the
    // paint pass measures the same labels at every pass and switches the font for the caption.
    mutable std::vector<FontCache> m_fonts;
    mutable int m_font = -1; ///< Entry of the font in m_fonts, -1 when not looked up since a change
    mutable int m_fontSerial = 0;
};

/**
 * A paint pass on a canvas: made before its Cls, it draws the pass's layers with drawLayers(),
 * and after that the curve, until it ends. @p key holds all that the base and the frame are drawn
 * from besides the canvas's own state (size, ratio, resolution, font, back colour); it is compared
 * with its operator==.
 *
 * A pass whose key and canvas state are those of the last pass keeps its background: it draws the
 * frame over the base alone first and keeps that picture (LayerCache). The passes after it with
 * the same key reuse it: they draw no base, and of the live layer, the frame and the curve only
 * what changed. The picture is exactly that of a whole pass. While drawing calls are recorded, or
 * replays are off, every pass is drawn whole.
 */
class Canvas::Pass {
public:
    template <class Key> Pass(Canvas& canvas, const Key& key) : m_canvas(canvas)
    {
        m_canvas.beginPass(m_canvas.m_layers.sameKey(key));
    }
    ~Pass() { m_canvas.endPass(std::uncaught_exceptions() > m_exceptions); }
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

    /**
     * Draws the layers before the curve with @p base (after Cls), @p live and @p frame, functions
     * that draw one layer each from the same state every time: in this order in a whole pass.
     */
    template <class Base, class Live, class Frame> void drawLayers(Base&& base, Live&& live, Frame&& frame)
    {
        using Stage = Canvas::Stage;
        switch (m_canvas.m_passMode) {
        case PassMode::Plain:
            base();
            live();
            frame();
            break;
        case PassMode::Keep:
            base();
            m_canvas.enterStage(Stage::FrameAlone);
            frame();
            m_canvas.enterStage(Stage::Live);
            live();
            m_canvas.enterStage(Stage::Frame);
            frame();
            break;
        case PassMode::Reuse:
            // The live calls are made once to see which changed, then drawn where they did.
            m_canvas.enterStage(Stage::Measure);
            live();
            m_canvas.enterStage(Stage::Live);
            live();
            m_canvas.enterStage(Stage::Frame);
            frame();
            break;
        }
        m_canvas.enterStage(Stage::Curve);
    }

private:
    using PassMode = Canvas::PassMode;
    Canvas& m_canvas;
    const int m_exceptions = std::uncaught_exceptions();
};

} // namespace knotel::platform

#endif
