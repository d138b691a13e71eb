// The buttons: point and changed-flag transfer through ValueIndex, the generated test curve,
// the repaint and the colour choosers.
#include "KnotelbenchMain.h"
#include "NumberConversion.h"
#include "ValueText.h"

#include <knotel/RuntimeError.h>

#include <QLabel>

#include <optional>

namespace knotelbench {

void KnotelbenchMain::runCommand(const char* caption, const std::function<void()>& body)
{
    m_status->clear();
    try {
        body();
    } catch (const knotel::RuntimeError& error) {
        // The work so far stays; the person learns what stopped the command.
        m_status->setText(QStringLiteral("%1: run-time error %2, %3")
                              .arg(QLatin1String(caption))
                              .arg(error.code())
                              .arg(QLatin1String(error.what())));
    }
}

void KnotelbenchMain::writeValueIndexFromBox()
{
    m_control->put(m_valueIndex, boxValue(BoxIndex));
}

void KnotelbenchMain::getPoint()
{
    runCommand("Get Knotel", [this] {
        writeValueIndexFromBox();
        assignBoxText(BoxX, pointText(m_control->get(m_xKnotel).toFloat(), "X_Knotel"));
        assignBoxText(BoxY, pointText(m_control->get(m_yKnotel).toFloat(), "Y_Knotel"));
    });
}

void KnotelbenchMain::setPoint()
{
    runCommand("Set Knotel", [this] {
        writeValueIndexFromBox();
        m_control->put(m_xKnotel, boxValue(BoxX));
        m_control->put(m_yKnotel, boxValue(BoxY));
    });
}

void KnotelbenchMain::getChanged()
{
    runCommand("Get Changed", [this] {
        writeValueIndexFromBox();
        assignBoxText(BoxChanged, flagText(m_control->get(m_changed).toInt()));
    });
}

void KnotelbenchMain::setChanged()
{
    runCommand("Set Changed", [this] {
        writeValueIndexFromBox();
        m_control->put(m_changed, boxValue(BoxChanged));
    });
}

void KnotelbenchMain::rePaint()
{
    runCommand("Knotel.Curve.RePaint", [this] { m_control->invoke(m_rePaint); });
}

void KnotelbenchMain::createRandomValues()
{
    runCommand("Create som random values", [this] {
        const qint16 n = roundToInt16(m_control->get(m_dimensions).toInt());
        if (n < 1)
            return;
        // X runs evenly from -30 to +30, Y falls from 80 to 20 with a random offset in [-5, +5).
        // Each coordinate is computed in double and rounded to single once, by the control's
        // conversion of a late-bound number. A single point has no spacing; it takes the
        // formula's first point.
        const double spacing = n > 1 ? 60.0 / (double(n) - 1.0) : 0.0;
        std::optional<knotel::RuntimeError> stopped;
        try {
            for (qint16 i = 0; i < n; ++i) {
                m_control->put(m_valueIndex, qint32(i));
                m_control->put(m_xKnotel, spacing * i - 30.0);
                const double r = m_random.next();
                m_control->put(m_yKnotel, 80.0 - spacing * i + r * 10.0 - 5.0);
            }
        } catch (const knotel::RuntimeError& error) {
            stopped = error; // slot 64 and beyond: the points written so far are shown
        }
        m_control->invoke(m_rePaint);
        if (stopped)
            throw *stopped;
    });
}

void KnotelbenchMain::chooseColour(int k)
{
    runCommand(ColourButtons[static_cast<std::size_t>(k)].caption, [this, k] {
        m_chooser->setColour(m_control->get(m_colourMember[static_cast<std::size_t>(k)]).toInt());
        m_chooser->showModal(this);
        // The hexadecimal box's change handling writes the colour into the property.
        assignBoxText(boxWith(ColourHex(k)), hexColourText(m_chooser->colour()));
        assignBoxText(boxWith(ColourDecimal(k)), decimalColourText(m_chooser->colour()));
    });
}

} // namespace knotelbench
