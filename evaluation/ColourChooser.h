#ifndef KNOTELBENCH_COLOURCHOOSER_H
#define KNOTELBENCH_COLOURCHOOSER_H

#include <QtGlobal>

class QWidget;

namespace knotelbench {

/**
 * The colour chooser the colour buttons use, in three steps: set its colour, show it modally,
 * read the colour back. Colours are 0x00BBGGRR. Tests stand in for the person with their own.
 */
class ColourChooser {
public:
    virtual ~ColourChooser() = default;

    virtual void setColour(qint32 colour) = 0;
    /** Returns once the person has closed the chooser. Confirming sets the colour; cancelling keeps it. */
    virtual void showModal(QWidget* parent) = 0;
    virtual qint32 colour() const = 0;
};

/** The chooser of the real program: Qt's colour dialog, modal to the window. */
class DialogColourChooser : public ColourChooser {
public:
    void setColour(qint32 colour) override { m_colour = colour; }
    void showModal(QWidget* parent) override;
    qint32 colour() const override { return m_colour; }

private:
    qint32 m_colour = 0;
};

} // namespace knotelbench

#endif
