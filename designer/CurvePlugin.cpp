// Qt Designer face of knotel::Curve: widget box entry, form XML and repaint after edits.
#include "CurvePlugin.h"

#include "FloatPropertySheet.h"

#include <knotel/Curve.h>
#include <knotel/RuntimeError.h>

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QExtensionManager>

#include <QIcon>

namespace knotel {

namespace {

/** Runs RePaint on every Curve of @p form, so that the editor shows the values just set. */
void repaintCurves(QDesignerFormWindowInterface* form)
{
    QWidget* root = form->mainContainer();
    if (!root)
        return;
    QList<Curve*> curves = root->findChildren<Curve*>();
    if (auto* self = qobject_cast<Curve*>(root))
        curves.append(self);
    for (Curve* curve : curves) {
        // A layout step that fails is skipped inside RePaint; anything still thrown must not
        // end Designer.
        try {
            curve->RePaint();
        } catch (const RuntimeError&) {
        }
    }
}

} // namespace

CurvePlugin::CurvePlugin(QObject* parent) : QObject(parent) {}

QString CurvePlugin::name() const
{
    return QStringLiteral("knotel::Curve");
}

QString CurvePlugin::group() const
{
    return QStringLiteral("Knotel");
}

QString CurvePlugin::toolTip() const
{
    return tr("Curve: a plot whose break points the user drags with the mouse");
}

QString CurvePlugin::whatsThis() const
{
    return tr("Shows a piecewise-linear curve of up to 64 break points in a plot with two numeric axes, "
              "grid, scales, caption, two dotted limit lines and an actual-value marker. The user drags a "
              "point, or grabs the line to move the whole curve up and down; on release the control emits "
              "DroppedValue. Property writes are shown at the next RePaint().");
}

QString CurvePlugin::includeFile() const
{
    return QStringLiteral("knotel/Curve.h");
}

QIcon CurvePlugin::icon() const
{
    return QIcon(QStringLiteral(":/knotel/designer/curve.png"));
}

bool CurvePlugin::isContainer() const
{
    return false;
}

QString CurvePlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++" displayname="Curve">
 <widget class="knotel::Curve" name="curve"/>
 <customwidgets>
  <customwidget>
   <class>knotel::Curve</class>
   <extends>QWidget</extends>
   <header>knotel/Curve.h</header>
  </customwidget>
 </customwidgets>
</ui>
)");
}

QWidget* CurvePlugin::createWidget(QWidget* parent)
{
    // Designer may not have its form window manager yet when it initialises plugins.
    watchFormWindows();
    return new Curve(parent);
}

bool CurvePlugin::isInitialized() const
{
    return m_initialized;
}

void CurvePlugin::initialize(QDesignerFormEditorInterface* core)
{
    if (m_initialized)
        return;
    m_initialized = true;
    m_core = core;
    if (QExtensionManager* manager = core ? core->extensionManager() : nullptr)
        manager->registerExtensions(new FloatPropertySheetFactory(manager),
                                    Q_TYPEID(QDesignerPropertySheetExtension));
    watchFormWindows();
}

void CurvePlugin::watchFormWindows()
{
    if (m_watching || !m_core || !m_core->formWindowManager())
        return;
    m_watching = true;
    QDesignerFormWindowManagerInterface* manager = m_core->formWindowManager();
    connect(manager, &QDesignerFormWindowManagerInterface::formWindowAdded, this, &CurvePlugin::watchForm);
    for (int i = 0; i < manager->formWindowCount(); ++i)
        watchForm(manager->formWindow(i));
}

void CurvePlugin::watchForm(QDesignerFormWindowInterface* form)
{
    connect(form, &QDesignerFormWindowInterface::changed, this, [form] { repaintCurves(form); });
}

} // namespace knotel
