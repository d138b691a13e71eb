#ifndef KNOTEL_DESIGNER_FLOATPROPERTYSHEET_H
#define KNOTEL_DESIGNER_FLOATPROPERTYSHEET_H

#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionFactory>

#include <QObject>
#include <QPointer>

namespace knotel {

class Curve;

/**
 * Designer's property sheet of a Curve, with the float properties shown as double.
 *
 * Qt Designer has no editor for float properties and drops them when it saves a form; as double
 * they are edited, saved as <double> and read back. Everything else goes to Designer's own sheet.
 */
class FloatPropertySheet : public QObject, public QDesignerPropertySheetExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerPropertySheetExtension)

public:
    /** Over @p sheet, Designer's own sheet of @p curve. */
    FloatPropertySheet(QObject* sheet, Curve* curve, QObject* parent);

    int count() const override;
    int indexOf(const QString& name) const override;
    QString propertyName(int index) const override;
    QString propertyGroup(int index) const override;
    void setPropertyGroup(int index, const QString& group) override;
    bool hasReset(int index) const override;
    bool reset(int index) override;
    bool isVisible(int index) const override;
    void setVisible(int index, bool visible) override;
    bool isAttribute(int index) const override;
    void setAttribute(int index, bool attribute) override;
    QVariant property(int index) const override;
    void setProperty(int index, const QVariant& value) override;
    bool isChanged(int index) const override;
    void setChanged(int index, bool changed) override;
    bool isEnabled(int index) const override;

private:
    QPointer<QObject> m_object;
    QDesignerPropertySheetExtension* m_sheet;
    QPointer<Curve> m_curve;
};

/** Gives every Curve a FloatPropertySheet over the sheet that Designer would give it. */
class FloatPropertySheetFactory : public QExtensionFactory {
    Q_OBJECT

public:
    explicit FloatPropertySheetFactory(QExtensionManager* parent);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;

private:
    mutable bool m_asking = false;
};

} // namespace knotel

#endif
