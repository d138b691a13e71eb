#include "ColourChooser.h"

#include <QColorDialog>

namespace knotelbench {

void DialogColourChooser::showModal(QWidget* parent)
{
    const QColor initial(m_colour & 0xFF, (m_colour >> 8) & 0xFF, (m_colour >> 16) & 0xFF);
    QColorDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QColor chosen = dialog.selectedColor();
    m_colour = chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
}

} // namespace knotelbench
