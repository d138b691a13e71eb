#ifndef KNOTEL_DESIGNER_CURVEPLUGIN_H
#define KNOTEL_DESIGNER_CURVEPLUGIN_H

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QObject>

class QDesignerFormEditorInterface;
class QDesignerFormWindowInterface;

namespace knotel {

/**
 * Offers knotel::Curve in Qt Designer's widget box (group "Knotel") and to QUiLoader.
 *
 * The control shows property writes only at RePaint(), so in Designer the plugin repaints every
 * Curve of a form after each change of that form (each edit goes through the form's undo stack,
 * which reports it as changed()). Nothing of this reaches a host program: a Curve made by
 * QUiLoader or by generated code behaves as one made with new.
 */
class CurvePlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit CurvePlugin(QObject* parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QString domXml() const override;

    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface* core) override;

private:
    void watchFormWindows();
    void watchForm(QDesignerFormWindowInterface* form);

    QDesignerFormEditorInterface* m_core = nullptr;
    bool m_initialized = false;
    bool m_watching = false;
};

} // namespace knotel

#endif
