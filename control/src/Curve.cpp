// The control's state and host interface: creation and defaults, the property accessors, the
// point table behind ValueIndex, RePaint and the Show and Resize hooks.
#include <knotel/Curve.h>

#include "CurveAccessible.h"
#include "CurvePrivate.h"
#include "platform/Colour.h"
#include "platform/DrawingSurface.h"
#include "platform/Twips.h"
#include "SettingsPanel.h"

#include <knotel/LeadingValue.h>
#include <knotel/RuntimeError.h>

#include <QFont>
#include <QLabel>
#include <QLineEdit>

namespace knotel {

namespace {

/** Design size of the control, in twips. */
constexpr int DesignWidthTwips = 9120;
constexpr int DesignHeightTwips = 7260;

void setBackground(QWidget* widget, qint32 colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, platform::toQColor(colour));
    palette.setColor(QPalette::Window, platform::toQColor(colour));
    widget->setPalette(palette);
}

} // namespace

CurvePrivate::CurvePrivate(Curve* q) : q(q) {}

CurvePrivate* CurvePrivate::get(Curve* curve)
{
    return curve->d.get();
}

void CurvePrivate::createChildren()
{
    using platform::placeInTwips;

    Picture_Curve = new platform::DrawingSurface(q);
    Picture_Curve->setObjectName(QStringLiteral("Picture_Curve"));
    // A fixed font, installed with the library's set-up, so that text measures the same everywhere.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.0);
    font.setStyleHint(QFont::SansSerif);
    Picture_Curve->setFont(font);
    placeInTwips(Picture_Curve, 180, 180, 8205, 4245);

    Text_Value_XY = new QLineEdit(Picture_Curve);
    Text_Value_XY->setObjectName(QStringLiteral("Text_Value_XY"));
    Text_Value_XY->setReadOnly(true);
    Text_Value_XY->setFrame(false);
    Text_Value_XY->setFocusPolicy(Qt::NoFocus);
    Text_Value_XY->setFont(font);
    Text_Value_XY->setTextMargins(0, 0, 0, 0);
    // Inside the surface, so placed in the surface's pixels; its size is the design size.
    placeInTwips(Text_Value_XY, 6540, 3960, 1515, 195);

    Label_Value_Y = new QLabel(q);
    Label_Value_Y->setObjectName(QStringLiteral("Label_Value_Y"));
    placeInTwips(Label_Value_Y, 1500, 4500, 2115, 225);
    Label_Value_Y->hide();

    Text_Value_Y = new QLineEdit(q);
    Text_Value_Y->setObjectName(QStringLiteral("Text_Value_Y"));
    placeInTwips(Text_Value_Y, 3720, 4470, 1095, 255);

    Label_Value_X = new QLabel(q);
    Label_Value_X->setObjectName(QStringLiteral("Label_Value_X"));
    placeInTwips(Label_Value_X, 5040, 4500, 2115, 225);
    Label_Value_X->hide();

    Text_Value_X = new QLineEdit(q);
    Text_Value_X->setObjectName(QStringLiteral("Text_Value_X"));
    placeInTwips(Text_Value_X, 7260, 4470, 1095, 255);

    settingsPanel = new SettingsPanel(this);

    QObject::connect(Picture_Curve, &platform::DrawingSurface::paintRequested, q, [this] { paintControl(); });
    QObject::connect(Picture_Curve, &platform::DrawingSurface::mousePressed, q,
                     [this](int b, int s, float x, float y) { mousePress(b, s, x, y); });
    QObject::connect(Picture_Curve, &platform::DrawingSurface::mouseMoved, q,
                     [this](int b, int s, float x, float y) { mouseMove(b, s, x, y); });
    QObject::connect(Picture_Curve, &platform::DrawingSurface::mouseReleased, q,
                     [this](int b, int s, float x, float y) { mouseRelease(b, s, x, y); });
}

void CurvePrivate::initialize()
{
    X_Axis_Left = -30.0f;
    X_Axis_Right = 30.0f;
    Y_Axis_Top = 80.0f;
    Y_Axis_Bottom = -20.0f;

    CurveColor = 0xFFFF80;
    GridColor = 0x808040;
    BackColor = 0xAA5500;
    AxisColor = 0xC0C0C0;
    TextColor = 0xFFFFFF;
    ActualValueColor = 0xFF8080;

    applyBackColor();

    DragIndex = -1;
    CurveMoving = 0;

    ViewGrid = -1;
    Dimensions = 7;
    X_Step = 10.0f;
    Y_Step = 10.0f;
    LockXEndPoints = -1;
    AllowYCrossover = -1;
    AllowCompleteCurveMove = -1;
    BreakPointShape = 1;

    CurveCaption = QStringLiteral("CurveCaption");
    X_AxisText = QStringLiteral("X_AxisText");
    Y_AxisText = QStringLiteral("YAxisText");

    // Through the public interface, like a host: places the children and computes the first
    // layout; the paint pass does nothing yet.
    q->RePaint();

    PaintEnabled = -1;
}

void CurvePrivate::applyBackColor()
{
    Picture_Curve->setBackColor(BackColor);
    setBackground(Text_Value_XY, BackColor);
}

void CurvePrivate::rePaint()
{
    resizeHandler();
    paintControl();
}

void CurvePrivate::showHandler()
{
    paintControl();
}

Curve::Curve(QWidget* parent) : QWidget(parent), d(std::make_unique<CurvePrivate>(this))
{
    const auto twips = platform::TwipsPerPixel::of(this);
    resize(twips.toPixelsX(DesignWidthTwips), twips.toPixelsY(DesignHeightTwips));
    d->createChildren();
    d->initialize();
    d->connectKeyboard();
    accessibility::setUp(*d);
}

Curve::~Curve()
{
    // The children outlive the state: when QWidget's destructor closes the window or moves the
    // focus, nothing of theirs may call back into it.
    d->Picture_Curve->setFocusMarkerSource({});
    QObject::disconnect(d->Picture_Curve, nullptr, this, nullptr);
}

QSize Curve::sizeHint() const
{
    const auto twips = platform::TwipsPerPixel::of(this);
    return QSize(twips.toPixelsX(DesignWidthTwips), twips.toPixelsY(DesignHeightTwips));
}

void Curve::RePaint()
{
    d->rePaint();
}

PlotLayout Curve::plotLayout() const
{
    return d->layout;
}

void Curve::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    d->resizeHandler();
}

void Curve::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    d->showHandler();
}

// Plain stored properties.
#define KNOTEL_STORED_PROPERTY(Type, Name)                                                                   \
    Type Curve::Name() const                                                                                 \
    {                                                                                                        \
        return d->Name;                                                                                      \
    }                                                                                                        \
    void Curve::set##Name(Type value)                                                                        \
    {                                                                                                        \
        d->Name = value;                                                                                     \
    }

KNOTEL_STORED_PROPERTY(qint32, X_Decimals)
KNOTEL_STORED_PROPERTY(qint32, Y_Decimals)
KNOTEL_STORED_PROPERTY(qint32, DisableSave)
KNOTEL_STORED_PROPERTY(qint32, LockX_Axis)
KNOTEL_STORED_PROPERTY(qint32, LockY_Axis)
KNOTEL_STORED_PROPERTY(qint32, LockXEndPoints)
KNOTEL_STORED_PROPERTY(qint32, LockYEndPoints)
KNOTEL_STORED_PROPERTY(qint32, AllowXCrossover)
KNOTEL_STORED_PROPERTY(qint32, AllowYCrossover)
KNOTEL_STORED_PROPERTY(qint32, AllowCompleteCurveMove)
KNOTEL_STORED_PROPERTY(qint32, ViewGrid)
KNOTEL_STORED_PROPERTY(float, X_Axis_Left)
KNOTEL_STORED_PROPERTY(float, X_Axis_Right)
KNOTEL_STORED_PROPERTY(float, Y_Axis_Top)
KNOTEL_STORED_PROPERTY(float, Y_Axis_Bottom)
KNOTEL_STORED_PROPERTY(qint32, Dimensions)
KNOTEL_STORED_PROPERTY(qint32, BreakPointShape)
KNOTEL_STORED_PROPERTY(float, X_Step)
KNOTEL_STORED_PROPERTY(float, Y_Step)
KNOTEL_STORED_PROPERTY(qint32, CurveColor)
KNOTEL_STORED_PROPERTY(qint32, GridColor)
KNOTEL_STORED_PROPERTY(qint32, AxisColor)
KNOTEL_STORED_PROPERTY(qint32, TextColor)
KNOTEL_STORED_PROPERTY(qint32, ActualValueColor)

#undef KNOTEL_STORED_PROPERTY

QString Curve::CurveCaption() const
{
    return d->CurveCaption;
}
void Curve::setCurveCaption(const QString& value)
{
    d->CurveCaption = value;
}
QString Curve::X_AxisText() const
{
    return d->X_AxisText;
}
void Curve::setX_AxisText(const QString& value)
{
    d->X_AxisText = value;
}
QString Curve::Y_AxisText() const
{
    return d->Y_AxisText;
}
void Curve::setY_AxisText(const QString& value)
{
    d->Y_AxisText = value;
}

// Normalised flags: any non-zero value is stored as -1.
qint32 Curve::ViewTracker() const
{
    return d->ViewTracker;
}
void Curve::setViewTracker(qint32 value)
{
    d->ViewTracker = value != 0 ? -1 : 0;
}
qint32 Curve::HideLine() const
{
    return d->HideLine;
}
void Curve::setHideLine(qint32 value)
{
    d->HideLine = value != 0 ? -1 : 0;
}

// Values whose write also marks them as given.
float Curve::Y_DashedLine_Top() const
{
    return d->Y_DashedLine_Top;
}
void Curve::setY_DashedLine_Top(float value)
{
    d->Y_DashedLine_Top = value;
    d->DashedLineTopSet = -1;
}
float Curve::Y_DashedLine_Bottom() const
{
    return d->Y_DashedLine_Bottom;
}
void Curve::setY_DashedLine_Bottom(float value)
{
    d->Y_DashedLine_Bottom = value;
    d->DashedLineBottomSet = -1;
}
float Curve::Actual_Value_X() const
{
    return d->Actual_Value_X;
}
void Curve::setActual_Value_X(float value)
{
    d->Actual_Value_X = value;
    d->ActualValueXSet = -1;
}
float Curve::Actual_Value_Y() const
{
    return d->Actual_Value_Y;
}
void Curve::setActual_Value_Y(float value)
{
    d->Actual_Value_Y = value;
    d->ActualValueYSet = -1;
}

// BackColor recolours the surface, then the tracker box, at once.
qint32 Curve::BackColor() const
{
    return d->BackColor;
}
void Curve::setBackColor(qint32 value)
{
    d->BackColor = value;
    d->applyBackColor();
}

float Curve::ValueIndex() const
{
    return float(d->ValueIndex);
}
void Curve::setValueIndex(float value)
{
    d->ValueIndex = roundToInt32(value); // throws 6 and keeps the old index beyond 32 bits
}

namespace {

/** The slot addressed by @p index for a point property, or -1 when it is not in use. */
int pointSlot(const CurvePrivate& d, qint32 index)
{
    if (!d.inUse(index))
        return -1;
    if (index >= SlotCount)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    return index;
}

} // namespace

float Curve::X_Knotel() const
{
    const int i = pointSlot(*d, d->ValueIndex);
    return i < 0 ? 0.0f : d->PointX[i];
}

void Curve::setX_Knotel(float value)
{
    const int i = pointSlot(*d, d->ValueIndex);
    if (i < 0)
        return;
    d->PointX[i] = value;
    d->SavedX[i] = value;
    d->PointXSet[i] = -1;
}

float Curve::Y_Knotel() const
{
    const int i = pointSlot(*d, d->ValueIndex);
    return i < 0 ? 0.0f : d->PointY[i];
}

void Curve::setY_Knotel(float value)
{
    const int i = pointSlot(*d, d->ValueIndex);
    if (i < 0)
        return;
    d->PointY[i] = value;
    d->SavedY[i] = value;
    d->PointYSet[i] = -1;
}

qint32 Curve::Changed() const
{
    const int i = pointSlot(*d, d->ValueIndex);
    if (i < 0)
        return 0;
    // Compared as floats: 0.0 and -0.0 are equal.
    return (d->PointX[i] != d->SavedX[i] || d->PointY[i] != d->SavedY[i]) ? -1 : 0;
}

void Curve::setChanged(qint32 value)
{
    const int i = pointSlot(*d, d->ValueIndex);
    if (i < 0)
        return;
    if (value != 0) {
        // Marks the point by negating the reference; a point at (0, 0) therefore stays unchanged.
        d->SavedX[i] = -d->PointX[i];
        d->SavedY[i] = -d->PointY[i];
    } else {
        d->SavedX[i] = d->PointX[i];
        d->SavedY[i] = d->PointY[i];
    }
}

QWidget* Curve::widget()
{
    return this;
}

} // namespace knotel
