// The tracker boxes: where they sit, when they show, their colours and the read-out text.
#include "widget/TrackerDisplay.h"

#include "engine/Layout.h"
#include "platform/Colour.h"
#include "widget/TwipsPlacement.h"

#include <QLabel>
#include <QLineEdit>

namespace knotel {

namespace {

// Distance of the X and Y boxes and of their captions below the surface, in twips.
constexpr int BoxTopTwips = 50;
constexpr int LabelTopTwips = 80;

QLineEdit* makeBox(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(box->objectName());
    return box;
}

QLabel* makeLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(label->objectName());
    return label;
}

} // namespace

TrackerDisplay::TrackerDisplay(QWidget* control, QWidget* surface, const QFont& font) : m_surface(surface)
{

    m_xy = makeBox("Text_Value_XY", surface);
    m_xy->setReadOnly(true);
    m_xy->setFrame(false);
    m_xy->setFocusPolicy(Qt::NoFocus);
    m_xy->setFont(font);
    m_xy->setTextMargins(0, 0, 0, 0);
    // Inside the surface, so placed in the surface's pixels; its size is the design size.
    placeInTwips(m_xy, 6540, 3960, 1515, 195);

    m_labelY = makeLabel("Label_Value_Y", control);
    placeInTwips(m_labelY, 1500, 4500, 2115, 225);
    m_labelY->hide();

    m_y = makeBox("Text_Value_Y", control);
    placeInTwips(m_y, 3720, 4470, 1095, 255);

    m_labelX = makeLabel("Label_Value_X", control);
    placeInTwips(m_labelX, 5040, 4500, 2115, 225);
    m_labelX->hide();

    m_x = makeBox("Text_Value_X", control);
    placeInTwips(m_x, 7260, 4470, 1095, 255);
}

void TrackerDisplay::place(int surfaceWidth, int surfaceHeight)
{
    const auto twips = twipsOf(m_surface);
    m_xy->setGeometry(readoutBox(QSize(surfaceWidth, surfaceHeight), twips));
    const int boxTop = surfaceHeight + twips.toPixelsY(BoxTopTwips);
    const int labelTop = surfaceHeight + twips.toPixelsY(LabelTopTwips);
    m_x->move(m_x->x(), boxTop);
    m_labelX->move(m_labelX->x(), labelTop);
    m_y->move(m_y->x(), boxTop);
    m_labelY->move(m_labelY->x(), labelTop);
}

void TrackerDisplay::showX(const QString& caption)
{
    m_labelX->setText(caption);
    m_labelX->show();
    m_x->show();
}

void TrackerDisplay::hideX()
{
    m_labelX->hide();
    m_x->hide();
}

void TrackerDisplay::showY(const QString& caption)
{
    m_labelY->setText(caption);
    m_labelY->show();
    m_y->show();
}

void TrackerDisplay::hideY()
{
    m_labelY->hide();
    m_y->hide();
}

void TrackerDisplay::setBackColor(qint32 colour)
{
    QPalette palette = m_xy->palette();
    palette.setColor(QPalette::Base, platform::toQColor(colour));
    palette.setColor(QPalette::Window, platform::toQColor(colour));
    m_xy->setPalette(palette);
}

void TrackerDisplay::showReadout(const QString& x, const QString& y, qint32 textColour)
{
    // Setting a text lays it out and repaints its box even when it is the same; a drag along one
    // axis keeps the other text.
    const auto show = [](QLineEdit* box, const QString& text) {
        if (box->text() != text)
            box->setText(text);
    };
    show(m_x, x);
    show(m_y, y);
    const QColor fore = platform::toQColor(textColour);
    if (m_xy->palette().color(QPalette::Text) != fore) {
        QPalette palette = m_xy->palette();
        palette.setColor(QPalette::Text, fore);
        m_xy->setPalette(palette);
    }
    show(m_xy, QStringLiteral("( ") + x + QStringLiteral(" / ") + y + QStringLiteral(" )"));
}

} // namespace knotel
