// Change handling of the property boxes: each change of a box's text writes its value into the
// box's property at once.
#include "KnotelbenchMain.h"

#include <knotel/LeadingValue.h>
#include <knotel/RuntimeError.h>

#include <QLineEdit>

namespace knotelbench {

void KnotelbenchMain::boxChanged(int index)
{
    const std::size_t i = static_cast<std::size_t>(index);
    const knotel::DispId member = m_boxMember[i];
    const QString text = m_boxes[i]->text();
    try {
        switch (PropertyBoxes[i].rule) {
        case BoxRule::Number:
            // The control rounds to its type: ties to even for 32 bits, nearest single for singles.
            m_control->put(member, knotel::LeadingValue(text));
            break;
        case BoxRule::WholeText:
            m_control->put(member, text);
            break;
        case BoxRule::TrueFalse:
            m_control->put(member, knotel::LeadingValue(text) != 0.0 ? qint32(-1) : qint32(0));
            break;
        case BoxRule::None:
            return;
        }
        showBoxWritable(index, true, {});
    } catch (const knotel::RuntimeError& error) {
        // A number that does not fit: the property keeps its value, the person sees why.
        showBoxWritable(index, false,
                        QStringLiteral("%1 keeps its value: run-time error %2, %3")
                            .arg(QLatin1String(PropertyBoxes[i].property))
                            .arg(error.code())
                            .arg(QLatin1String(error.what())));
    }
}

void KnotelbenchMain::showBoxWritable(int index, bool writable, const QString& reason)
{
    QLineEdit* box = m_boxes[static_cast<std::size_t>(index)];
    QPalette colours = box->palette();
    colours.setColor(QPalette::Text, writable ? palette().color(QPalette::Text) : QColor(Qt::red));
    box->setPalette(colours);
    box->setToolTip(reason);
}

void KnotelbenchMain::assignBoxText(int index, const QString& text)
{
    QLineEdit* box = m_boxes[static_cast<std::size_t>(index)];
    if (box->text() == text)
        boxChanged(index); // an equal text raises no textChanged, but the write must still happen
    else
        box->setText(text);
    box->setCursorPosition(0);
}

double KnotelbenchMain::boxValue(int index) const
{
    return knotel::LeadingValue(m_boxes[static_cast<std::size_t>(index)]->text());
}

} // namespace knotelbench
