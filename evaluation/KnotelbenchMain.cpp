// The window's construction: the control, the boxes and buttons at their design places, the tab
// order and the start step.
#include "KnotelbenchMain.h"

#include <knotel/Registry.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <stdexcept>

namespace knotelbench {

KnotelbenchMain::KnotelbenchMain(std::unique_ptr<ColourChooser> chooser, QWidget* parent)
    : QWidget(parent), m_chooser(chooser ? std::move(chooser) : std::make_unique<DialogColourChooser>())
{
    setObjectName(QStringLiteral("Knotelbench_Main"));
    setWindowTitle(QStringLiteral("Knotelbench (component Knotel.Curve)"));
    const ScreenTwips twips = ScreenTwips::of(this);
    // The boxes and buttons are small; the control keeps the window's own font.
    m_smallFont = font();
    m_smallFont.setPointSizeF(m_smallFont.pointSizeF() * 0.85);
    // The controls keep their design places, so the window keeps its design size.
    setFixedSize(twips.toPixels(ClientWidthTwips, ClientHeightTwips));

    createControl(twips);
    lookUpMembers();
    createBoxes(twips);
    createButtons(twips);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label_Status"));
    m_status->setGeometry(twips.toPixels(StatusPlace));
    m_status->setFont(m_smallFont);
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette statusPalette = m_status->palette();
    statusPalette.setColor(QPalette::WindowText, Qt::red);
    m_status->setPalette(statusPalette);

    orderTabs();

    // Start step: the actual value, the caption and the axis texts, then a repaint.
    for (const int index : {boxWriting("Actual_Value_X"), boxWriting("Actual_Value_Y"),
                            boxWriting("CurveCaption"), boxWriting("X_AxisText"), boxWriting("Y_AxisText")})
        boxChanged(index);
    runCommand("Start", [this] { m_control->invoke(m_rePaint); });

    findChild<QPushButton*>(QStringLiteral("Command_RePaint"))->setFocus();
}

KnotelbenchMain::~KnotelbenchMain() = default;

void KnotelbenchMain::createControl(const ScreenTwips& twips)
{
    m_control = knotel::createControl(QString::fromLatin1(knotel::CurveProgId), this);
    if (!m_control)
        throw std::runtime_error("the control library registers no Knotel.Curve");
    QWidget* widget = m_control->widget();
    widget->setObjectName(QStringLiteral("Curve"));
    widget->setGeometry(twips.toPixels(CurvePlace));
    m_tabStops.emplace_back(CurveTabIndex, widget);
}

void KnotelbenchMain::lookUpMembers()
{
    const auto id = [this](const char* name) {
        const knotel::DispId member = m_control->idOfName(QString::fromLatin1(name));
        if (member == -1)
            throw std::runtime_error(std::string("Knotel.Curve has no member ") + name);
        return member;
    };
    for (int i = 0; i < PropertyBoxCount; ++i) {
        const char* property = PropertyBoxes[static_cast<std::size_t>(i)].property;
        m_boxMember[static_cast<std::size_t>(i)] = property ? id(property) : -1;
    }
    for (int k = 0; k < ColourButtonCount; ++k)
        m_colourMember[static_cast<std::size_t>(k)] = id(ColourButtons[static_cast<std::size_t>(k)].caption);
    m_valueIndex = id("ValueIndex");
    m_xKnotel = id("X_Knotel");
    m_yKnotel = id("Y_Knotel");
    m_changed = id("Changed");
    m_dimensions = id("Dimensions");
    m_rePaint = id("RePaint");
}

void KnotelbenchMain::createBoxes(const ScreenTwips& twips)
{
    for (int i = 0; i < PropertyBoxCount; ++i) {
        const PropertyBox& row = PropertyBoxes[static_cast<std::size_t>(i)];
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text_Property_%1").arg(i));
        box->setGeometry(twips.toPixels(placeOfBox(i)));
        // The initial text is not a change: the handling is connected afterwards.
        box->setFont(m_smallFont);
        box->setText(QString::fromLatin1(row.initialText));
        box->setCursorPosition(0);
        connect(box, &QLineEdit::textChanged, this, [this, i] { boxChanged(i); });
        m_boxes[static_cast<std::size_t>(i)] = box;
        m_tabStops.emplace_back(row.tabIndex, box);
    }
}

void KnotelbenchMain::createButtons(const ScreenTwips& twips)
{
    for (int k = 0; k < ColourButtonCount; ++k) {
        const ColourButton& row = ColourButtons[static_cast<std::size_t>(k)];
        auto* button = new QPushButton(QString::fromLatin1(row.caption), this);
        button->setObjectName(QStringLiteral("Command_Property_%1").arg(k));
        button->setGeometry(twips.toPixels(row.place));
        button->setFont(m_smallFont);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, k] { chooseColour(k); });
        m_tabStops.emplace_back(row.tabIndex, button);
    }
    for (const CommandButton& row : CommandButtons) {
        auto* button = new QPushButton(QString::fromLatin1(row.caption), this);
        button->setObjectName(QString::fromLatin1(row.name));
        button->setGeometry(twips.toPixels(row.place));
        button->setFont(m_smallFont);
        button->setAutoDefault(false);
        const Command command = row.command;
        connect(button, &QPushButton::clicked, this, [this, command] {
            switch (command) {
            case Command::RePaint:
                rePaint();
                break;
            case Command::Read:
                getPoint();
                break;
            case Command::Write:
                setPoint();
                break;
            case Command::GetChanged:
                getChanged();
                break;
            case Command::Values:
                createRandomValues();
                break;
            case Command::SetChanged:
                setChanged();
                break;
            }
        });
        m_tabStops.emplace_back(row.tabIndex, button);
    }
}

void KnotelbenchMain::orderTabs()
{
    std::sort(m_tabStops.begin(), m_tabStops.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < m_tabStops.size(); ++i)
        setTabOrder(m_tabStops[i - 1].second, m_tabStops[i].second);
}

} // namespace knotelbench
