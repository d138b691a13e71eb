// Float properties of the Curve as double for Qt Designer's property editor and saved forms.
#include "FloatPropertySheet.h"

#include <knotel/Curve.h>
#include <knotel/RuntimeError.h>

#include <QtDesigner/QExtensionManager>

namespace knotel {

FloatPropertySheet::FloatPropertySheet(QObject* sheet, Curve* curve, QObject* parent)
    : QObject(parent), m_object(sheet), m_sheet(static_cast<QDesignerPropertySheetExtension*>(
                                            sheet->qt_metacast(QDesignerPropertySheetExtension_iid))),
      m_curve(curve)
{
}

int FloatPropertySheet::count() const
{
    return m_object ? m_sheet->count() : 0;
}

int FloatPropertySheet::indexOf(const QString& name) const
{
    return m_object ? m_sheet->indexOf(name) : -1;
}

QString FloatPropertySheet::propertyName(int index) const
{
    return m_object ? m_sheet->propertyName(index) : QString();
}

QString FloatPropertySheet::propertyGroup(int index) const
{
    return m_object ? m_sheet->propertyGroup(index) : QString();
}

void FloatPropertySheet::setPropertyGroup(int index, const QString& group)
{
    if (m_object)
        m_sheet->setPropertyGroup(index, group);
}

bool FloatPropertySheet::hasReset(int index) const
{
    return m_object && m_sheet->hasReset(index);
}

bool FloatPropertySheet::reset(int index)
{
    return m_object && m_sheet->reset(index);
}

bool FloatPropertySheet::isVisible(int index) const
{
    return m_object && m_sheet->isVisible(index);
}

void FloatPropertySheet::setVisible(int index, bool visible)
{
    if (m_object)
        m_sheet->setVisible(index, visible);
}

bool FloatPropertySheet::isAttribute(int index) const
{
    return m_object && m_sheet->isAttribute(index);
}

void FloatPropertySheet::setAttribute(int index, bool attribute)
{
    if (m_object)
        m_sheet->setAttribute(index, attribute);
}

QVariant FloatPropertySheet::property(int index) const
{
    if (!m_object)
        return {};
    const QVariant value = m_sheet->property(index);
    if (value.typeId() == QMetaType::Float)
        return QVariant(double(value.toFloat()));
    return value;
}

void FloatPropertySheet::setProperty(int index, const QVariant& value)
{
    if (!m_object)
        return;
    if (Curve* curve = m_curve; curve && value.typeId() == QMetaType::Double &&
                                m_sheet->property(index).typeId() == QMetaType::Float) {
        // The nearest single, as the control converts a late-bound host's number; a number beyond
        // the single range changes nothing.
        try {
            const DispId member = curve->idOfName(propertyName(index));
            curve->put(member, value);
            m_sheet->setProperty(index, curve->get(member));
        } catch (const RuntimeError&) {
        }
        return;
    }
    m_sheet->setProperty(index, value);
}

bool FloatPropertySheet::isChanged(int index) const
{
    return m_object && m_sheet->isChanged(index);
}

void FloatPropertySheet::setChanged(int index, bool changed)
{
    if (m_object)
        m_sheet->setChanged(index, changed);
}

bool FloatPropertySheet::isEnabled(int index) const
{
    return m_object && m_sheet->isEnabled(index);
}

FloatPropertySheetFactory::FloatPropertySheetFactory(QExtensionManager* parent) : QExtensionFactory(parent) {}

QObject* FloatPropertySheetFactory::createExtension(QObject* object, const QString& iid,
                                                    QObject* parent) const
{
    if (m_asking || iid != Q_TYPEID(QDesignerPropertySheetExtension) || !qobject_cast<Curve*>(object))
        return nullptr;
    // Ask the manager again, with this factory out of the way, for the sheet Designer makes.
    m_asking = true;
    QObject* sheet = extensionManager()->extension(object, iid);
    m_asking = false;
    if (!sheet || !sheet->qt_metacast(QDesignerPropertySheetExtension_iid))
        return nullptr;
    return new FloatPropertySheet(sheet, qobject_cast<Curve*>(object), parent);
}

} // namespace knotel
