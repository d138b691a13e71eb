// The Qt Designer plugin: what it tells Designer about the class, and forms loaded through it.
#include <knotel/Curve.h>

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QUiLoader>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <memory>

namespace {

/** The first widget's class and the first custom widget's class and header in a form's XML. */
struct FormClass {
    QString widgetClass;
    QString customClass;
    QString header;
};

FormClass readForm(const QByteArray& xml)
{
    FormClass found;
    QXmlStreamReader reader(xml);
    bool inCustomWidget = false;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"widget" && found.widgetClass.isEmpty())
            found.widgetClass = reader.attributes().value(QLatin1StringView("class")).toString();
        else if (reader.name() == u"customwidget")
            inCustomWidget = found.customClass.isEmpty();
        else if (inCustomWidget && reader.name() == u"class")
            found.customClass = reader.readElementText();
        else if (inCustomWidget && reader.name() == u"header")
            found.header = reader.readElementText();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return found;
}

QByteArray readFile(const char* path)
{
    QFile file(QString::fromUtf8(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll();
}

} // namespace

TEST(DesignerPlugin, DescribesTheClassThatFormsAndGeneratedCodeName)
{
    QPluginLoader loader(QStringLiteral(KNOTEL_DESIGNER_PLUGIN_FILE));
    auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(loader.instance());
    ASSERT_NE(plugin, nullptr) << loader.errorString().toStdString();

    EXPECT_EQ(plugin->group(), QStringLiteral("Knotel"));
    EXPECT_FALSE(plugin->icon().isNull());
    EXPECT_FALSE(plugin->toolTip().isEmpty());
    EXPECT_FALSE(plugin->whatsThis().isEmpty());
    EXPECT_FALSE(plugin->isContainer());

    // Designer places the widget of domXml and writes its custom-widget entry into saved forms;
    // the form that the installed-package test compiles with uic names the same class and header.
    const FormClass dom = readForm(plugin->domXml().toUtf8());
    const FormClass saved = readForm(readFile(KNOTEL_CURVE_FORM));
    for (const FormClass& form : {dom, saved}) {
        EXPECT_EQ(form.customClass, plugin->name());
        EXPECT_EQ(form.header, plugin->includeFile());
    }
    EXPECT_EQ(dom.widgetClass, plugin->name());

    const std::unique_ptr<QWidget> widget(plugin->createWidget(nullptr));
    ASSERT_NE(qobject_cast<knotel::Curve*>(widget.get()), nullptr);
    EXPECT_EQ(QString::fromLatin1(widget->metaObject()->className()), plugin->name());
}

TEST(DesignerPlugin, FormLoadedWithQUiLoaderCarriesItsValues)
{
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(QStringLiteral(KNOTEL_DESIGNER_PLUGIN_FILE)).absolutePath());
    ASSERT_TRUE(loader.availableWidgets().contains(QStringLiteral("knotel::Curve")));

    QFile file(QStringLiteral(KNOTEL_CURVE_FORM));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::unique_ptr<QWidget> form(loader.load(&file));
    ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
    auto* curve = form->findChild<knotel::Curve*>(QStringLiteral("curve"));
    ASSERT_NE(curve, nullptr);

    EXPECT_EQ(curve->Dimensions(), 3);
    EXPECT_EQ(curve->X_Axis_Left(), -10.0f);
    EXPECT_EQ(curve->X_Axis_Right(), 50.5f);
    EXPECT_EQ(curve->Y_Axis_Top(), 90.0f);
    EXPECT_EQ(curve->CurveColor(), 255);
    EXPECT_EQ(curve->CurveCaption(), QStringLiteral("Flow"));
    EXPECT_EQ(curve->X_AxisText(), QStringLiteral("Time"));
    // What the form leaves out keeps the control's defaults.
    EXPECT_EQ(curve->Y_Axis_Bottom(), -20.0f);
    EXPECT_EQ(curve->Y_AxisText(), QStringLiteral("YAxisText"));
}
