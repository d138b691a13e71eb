// The value editor's widgets: two labelled boxes in a frame beside the point, kept inside the
// surface, with the keys that apply and cancel.
#include "widget/ValueEditor.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace knotel {

namespace {

/** The gap between the point and the editor's nearest corner, in pixels. */
constexpr int Gap = 8;

QLineEdit* makeBox(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    // Wide enough for a value with a few decimals, whatever the font.
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("+00000.000")) + 8);
    return box;
}

} // namespace

ValueEditor::ValueEditor(QWidget* surface, const QFont& font, std::function<void()> apply,
                         std::function<void(bool refocus)> cancel)
    : QFrame(surface), m_apply(std::move(apply)), m_cancel(std::move(cancel))
{
    setObjectName(QStringLiteral("Frame_Entry"));
    setFont(font);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_x = makeBox("Text_Entry_X", this);
    m_y = makeBox("Text_Entry_Y", this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 3, 4, 3);
    layout->setSpacing(4);
    layout->addWidget(new QLabel(tr("X"), this));
    layout->addWidget(m_x);
    layout->addWidget(new QLabel(tr("Y"), this));
    layout->addWidget(m_y);
    QWidget::setTabOrder(m_x, m_y);
    hide();

    // A click elsewhere, or any other move of the focus out of the two boxes, cancels.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (isVisible() && now && now != m_x && now != m_y)
            m_cancel(false);
    });
}

void ValueEditor::open(int slot, const QString& x, const QString& y, bool xFree, bool yFree, QPointF point,
                       bool fromKeys)
{
    m_slot = slot;
    m_fromKeys = fromKeys;
    m_x->setAccessibleName(tr("Point %1 X").arg(slot));
    m_y->setAccessibleName(tr("Point %1 Y").arg(slot));
    m_x->setReadOnly(!xFree);
    m_y->setReadOnly(!yFree);
    adjustSize();
    place(point);
    show();
    raise();
    showValues(x, y, !xFree && yFree);
}

void ValueEditor::showValues(const QString& x, const QString& y, bool selectY)
{
    m_shownX = x;
    m_shownY = y;
    m_x->setText(x);
    m_y->setText(y);
    QLineEdit* box = selectY ? m_y : m_x;
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

void ValueEditor::showRefused(const std::optional<QString>& x, const std::optional<QString>& y)
{
    QLineEdit* first = nullptr;
    for (auto [box, text, shown] : {std::tuple(m_x, x, &m_shownX), std::tuple(m_y, y, &m_shownY)}) {
        if (!text)
            continue;
        *shown = *text;
        box->setText(*text);
        if (!first)
            first = box;
    }
    if (first) {
        first->setFocus(Qt::OtherFocusReason);
        first->selectAll();
    }
}

std::optional<QString> ValueEditor::editedX() const
{
    return m_x->text() != m_shownX ? std::optional(m_x->text()) : std::nullopt;
}

std::optional<QString> ValueEditor::editedY() const
{
    return m_y->text() != m_shownY ? std::optional(m_y->text()) : std::nullopt;
}

void ValueEditor::place(QPointF point)
{
    const QWidget* surface = parentWidget();
    const QSize size = this->size();
    const double px = std::isfinite(point.x()) ? std::clamp(point.x(), -1e6, 1e6) : 0.0;
    const double py = std::isfinite(point.y()) ? std::clamp(point.y(), -1e6, 1e6) : 0.0;
    // Below and right of the point; on the other side where that leaves the surface.
    int x = int(px) + Gap;
    int y = int(py) + Gap;
    if (x + size.width() > surface->width())
        x = int(px) - Gap - size.width();
    if (y + size.height() > surface->height())
        y = int(py) - Gap - size.height();
    x = std::max(std::min(x, surface->width() - size.width()), 0);
    y = std::max(std::min(y, surface->height() - size.height()), 0);
    move(x, y);
}

void ValueEditor::keyPressEvent(QKeyEvent* event)
{
    // The boxes leave these keys to their parent; they end here, not at the surface or a dialog.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        m_apply();
        return;
    case Qt::Key_Escape:
        event->accept();
        m_cancel(true);
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

} // namespace knotel
