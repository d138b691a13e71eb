#ifndef KNOTELBENCH_TESTS_WINDOWFIXTURE_H
#define KNOTELBENCH_TESTS_WINDOWFIXTURE_H

// A shown evaluation window whose colour chooser is played by the test.

#include "KnotelbenchMain.h"

#include <knotel/Curve.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

/** Stands in for the person at the colour chooser: confirms a prepared colour or cancels. */
class ScriptedChooser : public knotelbench::ColourChooser {
public:
    void setColour(qint32 colour) override
    {
        m_colour = colour;
        offered = colour;
    }
    void showModal(QWidget*) override
    {
        ++shown;
        if (answer)
            m_colour = *answer;
    }
    qint32 colour() const override { return m_colour; }

    std::optional<qint32> answer; ///< the colour the person confirms; none cancels
    std::optional<qint32> offered;
    int shown = 0;

private:
    qint32 m_colour = 0;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto chooser = std::make_unique<ScriptedChooser>();
        person = chooser.get();
        window = std::make_unique<knotelbench::KnotelbenchMain>(std::move(chooser));
        window->show();
        curve = qobject_cast<knotel::Curve*>(window->control()->widget());
        ASSERT_NE(curve, nullptr);
    }

    QLineEdit* box(int index) const
    {
        return window->findChild<QLineEdit*>(QStringLiteral("Text_Property_%1").arg(index));
    }
    QString text(int index) const { return box(index)->text(); }
    void setText(int index, const QString& t) const { box(index)->setText(t); }
    void click(const char* name) const
    {
        window->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    }
    QString status() const { return window->findChild<QLabel*>(QStringLiteral("Label_Status"))->text(); }

    /** Reads slot @p i through the control's typed face. */
    std::pair<float, float> point(int i) const
    {
        curve->setValueIndex(float(i));
        return {curve->X_Knotel(), curve->Y_Knotel()};
    }

    ScriptedChooser* person = nullptr;
    std::unique_ptr<knotelbench::KnotelbenchMain> window;
    knotel::Curve* curve = nullptr;
};

#endif
