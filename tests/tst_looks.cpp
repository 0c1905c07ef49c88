// The form's looks: its one style sheet draws every page and the live
// monitor exactly as the same families set on each widget alone would, in
// both languages; a control that takes the focus shows a frame only while
// it has it; every tooltip of the strip is readable and fits the window.

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolTip>
#include <QTest>

#include <algorithm>
#include <cmath>

#include "app/mainwindow.h"
#include "link/livevalues.h"
#include "model/parameterset.h"
#include "model/translations.h"
#include "support/appstate.h"
#include "ui/curvewidgets.h"
#include "ui/formstyles.h"
#include "ui/mainform.h"
#include "ui/statusline.h"

namespace {

// Relative luminance and contrast ratio as the web's accessibility
// guidelines define them.
double luminance(const QColor &c)
{
    const auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Values on every monitor column and in the strip, none of them a start value.
void setLiveValues(MainWindow &w)
{
    const int outputs[] = {1000, 1234, 1500, 1777, 2000, 1100, 1900, 1450};
    int *channels[] = {&w.params().ChOut1, &w.params().ChOut2, &w.params().ChOut3, &w.params().ChOut4,
                       &w.params().ChOut5, &w.params().ChOut6, &w.params().ChOut7, &w.params().ChOut8};
    for (int i = 0; i < 8; ++i)
        *channels[i] = outputs[i];
    w.liveValues().LiveTxVolt = 1185;
    w.liveValues().LiveRssi = 30;
    w.liveValues().LiveExtVolt = 42;
    w.liveValues().LiveRxVolt = 118;
}

// What the window shows, put on the reference form: texts, values, items,
// icons, the page, whether enabled.
void copyState(const MainForm &from, MainForm &to)
{
    for (auto it = from.widgets().cbegin(); it != from.widgets().cend(); ++it) {
        QWidget *source = it.value();
        QWidget *target = to.widget(it.key());
        if (!target || qobject_cast<QMainWindow *>(source))
            continue;
        target->setEnabled(source->isEnabled());
        if (auto *edit = qobject_cast<QLineEdit *>(source)) {
            qobject_cast<QLineEdit *>(target)->setText(edit->text());
        } else if (auto *spin = qobject_cast<QSpinBox *>(source)) {
            qobject_cast<QSpinBox *>(target)->setValue(spin->value());
        } else if (auto *volt = qobject_cast<QDoubleSpinBox *>(source)) {
            qobject_cast<QDoubleSpinBox *>(target)->setValue(volt->value());
        } else if (auto *combo = qobject_cast<QComboBox *>(source)) {
            auto *copy = qobject_cast<QComboBox *>(target);
            if (copy->count() != combo->count()) {
                copy->clear();
                for (int i = 0; i < combo->count(); ++i)
                    copy->addItem(combo->itemText(i));
            }
            copy->setCurrentIndex(combo->currentIndex());
        } else if (auto *bar = qobject_cast<QProgressBar *>(source)) {
            qobject_cast<QProgressBar *>(target)->setValue(bar->value());
        } else if (auto *curve = qobject_cast<cureWidget *>(source)) {
            qobject_cast<cureWidget *>(target)->setPoints(curve->points());
        } else if (auto *rates = qobject_cast<mWidget *>(source)) {
            qobject_cast<mWidget *>(target)->setCurve(rates->rate(), rates->expo());
        } else if (auto *button = qobject_cast<QAbstractButton *>(source)) {
            qobject_cast<QAbstractButton *>(target)->setText(button->text());
            qobject_cast<QAbstractButton *>(target)->setIcon(button->icon());
        }
    }
}

QImage grabPage(QWidget &window, QTabWidget *tabs, int page)
{
    tabs->setCurrentIndex(page);
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
    QCoreApplication::processEvents();
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Where two pictures differ, for the failure message.
QString difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    int count = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                if (count++ == 0)
                    first = QPoint(x, y);
            }
        }
    }
    return QStringLiteral("%1 pixels differ, the first at %2,%3").arg(count).arg(first.x()).arg(first.y());
}

// The strongest contrast between the picture's background (a pixel near its
// top left corner, inside any frame) and any pixel inside the frame: the
// text's own colour against its box.
double textContrast(const QImage &image)
{
    const QColor background = image.pixelColor(3, 3);
    double best = 1.0;
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 2; x < image.width() - 2; ++x)
            best = std::max(best, contrast(background, image.pixelColor(x, y)));
    }
    return best;
}

struct PaintCount : QObject
{
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

QLabel *visibleToolTip()
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->inherits("QTipLabel") && top->isVisible())
            return qobject_cast<QLabel *>(top);
    }
    return nullptr;
}

} // namespace

class TestLooks : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase() { installLanguage(QStringLiteral("zh")); }

    void oneSheetDrawsAsSheetsOnEachWidget_data() { addLanguageRows(); }
    void oneSheetDrawsAsSheetsOnEachWidget()
    {
        QFETCH(QString, language);
        QVERIFY(installLanguage(language));
        MainWindow w;
        setLiveValues(w);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        invokeSlot(w, "ui_Display");
        MainForm &form = *w.form();

        // The form's widgets carry no sheet of their own.
        for (const StyleBook::Entry &entry : form.styles().entries()) {
            if (entry.widget != form.centralwidget)
                QVERIFY2(entry.widget->styleSheet().isEmpty(), qPrintable(entry.widget->objectName()));
        }
        QVERIFY(form.styles().entries().size() > 250);

        // The reference: the same form with a sheet on each widget, showing
        // what the window shows.
        QMainWindow referenceWindow;
        MainForm reference;
        reference.setupUi(&referenceWindow, MainForm::Sheets::EachWidget);
        StatusLine referenceStatus;
        referenceStatus.create(reference.centralwidget);
        referenceStatus.label()->setStyleSheet(FormStyle::statusLabel());
        referenceStatus.progressBar()->setStyleSheet(FormStyle::statusProgress());
        const auto *status = form.centralwidget->findChild<QLabel *>(QStringLiteral("statusLabel"));
        QVERIFY(status);
        // The status line: dark on light, at the text size of the group titles.
        QVERIFY(!status->text().isEmpty());
        QCOMPARE(status->font().pointSize(), 11);
        QVERIFY2(textContrast(const_cast<QLabel *>(status)->grab().toImage()) >= 4.5, qPrintable(status->text()));
        referenceStatus.show(status->text().split(QLatin1Char('\n')));
        copyState(form, reference);
        referenceWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&referenceWindow));

        for (int page = 0; page < form.tabWidget->count(); ++page) {
            const QImage one = grabPage(w, form.tabWidget, page);
            const QImage each = grabPage(referenceWindow, reference.tabWidget, page);
            if (one != each) {
                const QString base = QDir::temp().filePath(QStringLiteral("tst_looks-%1-%2").arg(language).arg(page));
                one.save(base + QStringLiteral("-one.png"));
                each.save(base + QStringLiteral("-each.png"));
                QFAIL(qPrintable(QStringLiteral("page %1: %2 (pictures in %3-*.png)")
                                         .arg(page).arg(difference(one, each), base)));
            }
        }

        // The value boxes are rounded and set 2 px in: what lies beneath
        // shows around them.
        const QImage monitor = grabPage(w, form.tabWidget, 0);
        for (const char *name : {"lineEdit", "lineEdit_9", "lineEdit_TX", "lineEdit_26"}) {
            const QWidget *box = form.widget(QLatin1String(name));
            const QRect r(box->mapTo(&w, QPoint(0, 0)), box->size());
            const int midX = r.center().x(), midY = r.center().y();
            const QColor beneath = monitor.pixelColor(r.left() - 1, midY);
            const QColor fill = monitor.pixelColor(r.left() + 2, midY);
            QVERIFY2(fill != beneath, name);
            for (const QPoint &p : {QPoint(r.left() + 1, midY), QPoint(r.right() - 1, midY), QPoint(midX, r.top() + 1),
                                    QPoint(midX, r.bottom() - 1)})
                QVERIFY2(monitor.pixelColor(p) == beneath, name);
            for (const QPoint &p : {QPoint(r.right() - 2, midY), QPoint(midX, r.top() + 2), QPoint(midX, r.bottom() - 2)})
                QVERIFY2(monitor.pixelColor(p) == fill, name);
        }

        // A live value repaints its frame, not the page and the window
        // beneath it.
        PaintCount beneath, value;
        form.widget(QStringLiteral("tab"))->installEventFilter(&beneath);
        form.centralwidget->installEventFilter(&beneath);
        form.widget(QStringLiteral("lineEdit"))->installEventFilter(&value);
        w.params().ChOut1 = 1001;
        invokeSlot(w, "ui_Display");
        QTRY_VERIFY(value.count > 0);
        QCOMPARE(beneath.count, 0);
    }

    // Every named control that the Tab key reaches looks different with
    // the focus than without it.
    void focusShowsAFrame()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        MainForm &form = *w.form();
        QStringList unseen;
        QSet<QWidget *> checked;
        for (int page = 0; page < form.tabWidget->count(); ++page) {
            form.tabWidget->setCurrentIndex(page);
            QCoreApplication::processEvents();
            for (QWidget *widget : form.widgets()) {
                if (widget == &w || !widget->isVisible() || !(widget->focusPolicy() & Qt::TabFocus)
                    || !widget->isEnabled() || checked.contains(widget))
                    continue;
                if (QWidget *focused = QApplication::focusWidget())
                    focused->clearFocus();
                QCoreApplication::processEvents();
                const QImage without = widget->grab().toImage();
                widget->setFocus(Qt::TabFocusReason);
                QCoreApplication::processEvents();
                if (!widget->hasFocus() || widget->grab().toImage() == without)
                    unseen.append(widget->objectName());
                checked.insert(widget);
            }
        }
        QVERIFY(checked.size() > 100);
        QVERIFY2(unseen.isEmpty(), qPrintable(unseen.join(QLatin1Char(' '))));
    }

    // The tooltips of the strip: dark on light, whatever the button's own
    // looks, and no wider than the window.
    void toolTipsAreReadable_data() { addLanguageRows(); }
    void toolTipsAreReadable()
    {
        QFETCH(QString, language);
        QVERIFY(installLanguage(language));
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const char *names[] = {"toolButton_Read", "toolButton_Send", "toolButton_Load", "toolButton_Save",
                               "toolButton_Reset", "pushButton_Reset2", "openButton", "portNameBox",
                               "toolButton_led"};
        for (const char *name : names) {
            QWidget *widget = w.form()->widget(QLatin1String(name));
            QVERIFY2(!widget->toolTip().isEmpty(), name);
            QToolTip::showText(widget->mapToGlobal(QPoint(20, 20)), widget->toolTip(), widget);
            QLabel *tip = nullptr;
            QTRY_VERIFY_WITH_TIMEOUT((tip = visibleToolTip()), 5000);
            const double best = textContrast(tip->grab().toImage());
            QVERIFY2(best >= 4.5, qPrintable(QStringLiteral("%1: contrast %2").arg(QLatin1String(name)).arg(best)));
            QVERIFY2(tip->width() <= w.width(), qPrintable(QStringLiteral("%1: %2 px wide").arg(QLatin1String(name)).arg(tip->width())));
            QToolTip::hideText();
            QTRY_VERIFY(!visibleToolTip());
        }
    }
};

QTEST_MAIN(TestLooks)
#include "tst_looks.moc"
