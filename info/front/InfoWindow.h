#pragma once

#include "info/prginfo.h"
#include "toolkit/front/ControlBinder.h"

#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QTabWidget;

// The information window on screen, mirrored from its logic after every handler.
class InfoWindow : public QWidget
{
    Q_OBJECT

public:
    // unloaded runs once the window has been closed through its frame and is to be let go.
    InfoWindow(Dispatcher &dispatcher, std::function<void()> unloaded);

    prginfo &logic() { return m_logic; }
    void render();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void build();
    void buildTop();
    void buildTabs();
    void buildFirstShowcase(QWidget *tab);
    void buildSecondShowcase(QWidget *tab);
    void buildCatalogue(QWidget *tab);
    QWidget *page(int tab);
    QLabel *label(QWidget *parent, Label &control, const char *name, const QRect &place, const QFont &font,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    QLabel *picture(QWidget *parent, Control &control, const char *name, const QString &file, const QRect &place);
    QPlainTextEdit *textBox(QWidget *parent, TextBox &control, const char *name, const QRect &place, const char *family,
                            const QString &accessibleName);
    QLabel *plainText(QWidget *parent, const QString &text, const QRect &place, const QFont &font);
    void run(const Dispatcher::Handler &handler);

    prginfo m_logic;
    std::function<void()> m_unloaded;
    ControlBinder m_binder;
    QTabWidget *m_tabs = nullptr;
    QComboBox *m_combo = nullptr;
    QLabel *m_label10 = nullptr;
    QLabel *m_label11 = nullptr;
    QWidget *m_cloze = nullptr;
    QWidget *m_image7 = nullptr;
    bool m_renderingTabs = false;
};

// The one information window: created at the first request, shown again on later ones, and
// loaded afresh after it was closed through its frame.
class ProgramInfo
{
public:
    explicit ProgramInfo(Dispatcher &dispatcher);
    ~ProgramInfo();

    void show();
    InfoWindow *window() const { return m_window.get(); }

private:
    Dispatcher &m_dispatcher;
    std::unique_ptr<InfoWindow> m_window;
};
