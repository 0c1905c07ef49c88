#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class QMainWindow;
#include <QWidget>
class QPushButton;
class QComboBox;
class QToolButton;
class QTabWidget;
class QVBoxLayout;

// The form of the main window: builds every widget with its object name,
// geometry, range, initial value, texts and look, and keeps a pointer to each
// by object name. Slots of the window named on_<objectName>_<signal> are
// connected as the last step of setupUi().
class MainForm
{
public:
    void setupUi(QMainWindow *window);
    // Puts every visible text of the form in place; part of setupUi().
    void retranslateUi(QMainWindow *window);

    // The widget called name, or nullptr if the form has none of that type.
    template<class T>
    T *find(const QString &name) const
    {
        return qobject_cast<T *>(m_widgets.value(name));
    }
    QWidget *widget(const QString &name) const { return m_widgets.value(name); }
    const QHash<QString, QWidget *> &widgets() const { return m_widgets; }
    // The column layouts inside the group boxes, by object name.
    QVBoxLayout *layout(const QString &name) const { return m_layouts.value(name); }
    const QHash<QString, QVBoxLayout *> &layouts() const { return m_layouts; }

    QWidget *centralwidget = nullptr;
    QTabWidget *tabWidget = nullptr;
    QPushButton *openButton = nullptr;
    QComboBox *portNameBox = nullptr;
    QToolButton *toolButton_led = nullptr;
    QToolButton *toolButton_Read = nullptr;
    QToolButton *toolButton_Load = nullptr;
    QToolButton *toolButton_Send = nullptr;
    QToolButton *toolButton_Save = nullptr;
    QToolButton *toolButton_Reset = nullptr;
    QPushButton *pushButton_Reset2 = nullptr;

private:
    friend class FormBuilder;

    // A widget and the text(s) the text routine gives it: a caption, a
    // title, or one text per combo box item.
    struct FormText
    {
        QWidget *widget;
        QStringList texts;
    };

    QHash<QString, QWidget *> m_widgets;
    QHash<QString, QVBoxLayout *> m_layouts;
    QVector<FormText> m_texts;
};
