// Keystrokes into each of the settings panel's boxes and each of Knotelbench's boxes, and
// Knotelbench's buttons pressed, in any order, with the colour chooser played by the input:
// the window stays open, no dialog or other window appears, every property of the control
// still reads (only a point slot of 64 or more may refuse, with 9), and once the window is
// closed no window is left behind.
#include "FuzzCommon.h"

#include "KnotelbenchMain.h"

#include <knotel/Curve.h>
#include <knotel/RuntimeError.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPushButton>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <memory>
#include <optional>

using namespace knotel;

namespace {

/** The person at the colour chooser: confirms the colour the input gives, or cancels. */
class InputChooser : public knotelbench::ColourChooser {
public:
    explicit InputChooser(FuzzedDataProvider& in) : m_in(in) {}
    void setColour(qint32 colour) override { m_colour = colour; }
    void showModal(QWidget*) override
    {
        if (m_in.ConsumeBool())
            m_colour = m_in.ConsumeIntegral<qint32>();
    }
    qint32 colour() const override { return m_colour; }

private:
    FuzzedDataProvider& m_in;
    qint32 m_colour = 0;
};

void keystroke(QWidget* box, FuzzedDataProvider& in)
{
    static constexpr std::array<Qt::Key, 12> keys{
        Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab,
        Qt::Key_Left,      Qt::Key_Right,  Qt::Key_Home,   Qt::Key_End,   Qt::Key_Z,      Qt::Key_A};
    static constexpr std::array<char16_t, 24> chars{
        u'0', u'1', u'5', u'9',  u'.', u'-', u'+', u'E', u'D',      u'e',      u'&',      u'H',
        u'O', u'F', u' ', u'\t', u'x', u',', u'#', u'e', u'\u00e9', u'\u0663', u'\u200b', u'\uffff'};
    QString text;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (in.ConsumeIntegralInRange<int>(0, 4) == 0) {
        key = in.PickValueInArray(keys);
        if (key == Qt::Key_Z || key == Qt::Key_A)
            modifiers = Qt::ControlModifier; // undo, select all
    } else {
        const char16_t c = in.PickValueInArray(chars);
        text = QString(QChar(c));
        key = Qt::Key(QChar(c).toUpper().unicode());
    }
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(box, &release);
}

QLineEdit* pickBox(QWidget& window, Curve& curve, FuzzedDataProvider& in)
{
    // Knotelbench's 42 boxes, then the settings panel's 17.
    const int k = in.ConsumeIntegralInRange<int>(0, 42 + 17 - 1);
    if (k < 42)
        return window.findChild<QLineEdit*>(QStringLiteral("Text_Property_%1").arg(k));
    return curve.findChild<QLineEdit*>(QStringLiteral("Text_Setting_%1").arg(k - 42));
}

QPushButton* pickButton(QWidget& window, FuzzedDataProvider& in)
{
    static constexpr std::array<const char*, 6> commands{"Command_RePaint", "Command_Read",
                                                         "Command_Write",   "Command_GetChanged",
                                                         "Command_Values",  "Command_SetChanged"};
    const int k = in.ConsumeIntegralInRange<int>(0, 11);
    if (k < 6)
        return window.findChild<QPushButton*>(QString::fromLatin1(commands[std::size_t(k)]));
    return window.findChild<QPushButton*>(QStringLiteral("Command_Property_%1").arg(k - 6));
}

void checkStillUsable(QWidget& window, int topLevels)
{
    FUZZ_CHECK(window.isVisible());
    FUZZ_CHECK(QApplication::activeModalWidget() == nullptr);
    FUZZ_CHECK(QApplication::topLevelWidgets().size() == topLevels);
}

void checkReadable(Dispatch& control)
{
    const QMetaObject& meta = Curve::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyOffset() + 38; ++i) { // the late-bound face's
        const QString name = QString::fromLatin1(meta.property(i).name());
        try {
            FUZZ_CHECK(control.get(control.idOfName(name)).isValid());
        } catch (const RuntimeError& e) {
            FUZZ_CHECK(e.code() == RuntimeError::SubscriptOutOfRange);
            FUZZ_CHECK(name == QLatin1String("X_Knotel") || name == QLatin1String("Y_Knotel") ||
                       name == QLatin1String("Changed"));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::startApplication();
    FuzzedDataProvider in(data, size);
    const int topLevelsBefore = int(QApplication::topLevelWidgets().size());
    auto window = std::make_unique<knotelbench::KnotelbenchMain>(std::make_unique<InputChooser>(in));
    window->show();
    const int topLevels = topLevelsBefore + 1;
    Curve& curve = *qobject_cast<Curve*>(window->control()->widget());

    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        if (in.ConsumeIntegralInRange<int>(0, 3) == 0) {
            pickButton(*window, in)->click();
        } else {
            QLineEdit* box = pickBox(*window, curve, in);
            const int strokes = in.ConsumeIntegralInRange<int>(1, 8);
            for (int i = 0; i < strokes; ++i)
                keystroke(box, in);
        }
        checkStillUsable(*window, topLevels);
    }
    checkReadable(*window->control());
    window.reset();
    QCoreApplication::processEvents(); // posted events of the closed window
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FUZZ_CHECK(QApplication::topLevelWidgets().size() == topLevelsBefore); // no window left behind
    return 0;
}
