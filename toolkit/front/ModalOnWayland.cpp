#include "toolkit/front/ModalOnWayland.h"

#ifdef CHIMEWELL_WAYLAND
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QWindow>
#include <optional>
// Qt 6.4 gives a window's wl_surface through this interface alone. It binds the program to the
// Qt release it was built with; the package says so (qt6-base-abi).
#include <qpa/qplatformnativeinterface.h>

#include <cstring>
#include <dlfcn.h>
#include <wayland-client.h>

namespace {

// The Wayland client library as Qt loaded it: the program never loads it itself, so on X11 it
// stays out of the process (the calls' types come from its header, the calls from here).
struct WaylandLibrary
{
    decltype(&wl_display_create_queue) createQueue;
    decltype(&wl_display_flush) flush;
    decltype(&wl_display_dispatch_queue_pending) dispatchPending;
    decltype(&wl_proxy_create_wrapper) createWrapper;
    decltype(&wl_proxy_wrapper_destroy) destroyWrapper;
    decltype(&wl_proxy_set_queue) setQueue;
    decltype(&wl_proxy_add_listener) addListener;
    decltype(&wl_proxy_marshal_flags) marshal;
    decltype(&wl_proxy_destroy) destroy;
    const wl_interface *registryInterface;
    const wl_interface *surfaceInterface;
};

template<typename Pointer>
bool resolve(void *library, Pointer &pointer, const char *name)
{
    pointer = reinterpret_cast<Pointer>(dlsym(library, name));
    return pointer != nullptr;
}

std::optional<WaylandLibrary> loadedWaylandLibrary()
{
    void *library = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_NOLOAD);
    WaylandLibrary wl{};
    if (!library || !resolve(library, wl.createQueue, "wl_display_create_queue")
        || !resolve(library, wl.flush, "wl_display_flush")
        || !resolve(library, wl.dispatchPending, "wl_display_dispatch_queue_pending")
        || !resolve(library, wl.createWrapper, "wl_proxy_create_wrapper")
        || !resolve(library, wl.destroyWrapper, "wl_proxy_wrapper_destroy")
        || !resolve(library, wl.setQueue, "wl_proxy_set_queue")
        || !resolve(library, wl.addListener, "wl_proxy_add_listener")
        || !resolve(library, wl.marshal, "wl_proxy_marshal_flags") || !resolve(library, wl.destroy, "wl_proxy_destroy")
        || !resolve(library, wl.registryInterface, "wl_registry_interface")
        || !resolve(library, wl.surfaceInterface, "wl_surface_interface"))
        return std::nullopt;
    return wl;
}

// GNOME's extension as far as it is used here, at its version 1: gtk_shell1.get_gtk_surface
// (request 0) and gtk_surface1.set_modal (request 1). The events (the shell's capabilities, the
// surface's tiled states) have no listener: they come on a queue of their own and are dropped.
extern const wl_interface gtkSurfaceInterface;
const wl_interface *gtkSurfaceArguments[] = {&gtkSurfaceInterface, nullptr}; // and the wl_surface's, once loaded
const wl_interface *untypedArguments[] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
const wl_message shellRequests[] = {{"get_gtk_surface", "no", gtkSurfaceArguments},
                                    {"set_startup_id", "?s", untypedArguments},
                                    {"system_bell", "?o", gtkSurfaceArguments}};
const wl_message shellEvents[] = {{"capabilities", "u", untypedArguments}};
const wl_message surfaceRequests[] = {{"set_dbus_properties", "?s?s?s?s?s?s", untypedArguments},
                                      {"set_modal", "", untypedArguments},
                                      {"unset_modal", "", untypedArguments},
                                      {"present", "u", untypedArguments}};
const wl_message surfaceEvents[] = {{"configure", "a", untypedArguments}};
const wl_interface gtkShellInterface = {"gtk_shell1", 1, 3, shellRequests, 1, shellEvents};
const wl_interface gtkSurfaceInterface = {"gtk_surface1", 1, 4, surfaceRequests, 1, surfaceEvents};
constexpr uint32_t GetGtkSurface = 0;
constexpr uint32_t SetModal = 1;
constexpr uint32_t GetRegistry = 1; // wl_display's request
constexpr uint32_t Bind = 0;        // wl_registry's request

// The compositor's globals, read on a queue of the program's own so that nothing here runs
// inside Qt's dispatch or waits for the compositor: the registry is asked for at start, and its
// answer, read by Qt with its own events, is there long before the first box.
struct GtkShell
{
    WaylandLibrary wl{};
    wl_display *display = nullptr;
    wl_event_queue *queue = nullptr;
    wl_proxy *registry = nullptr;
    wl_proxy *shell = nullptr;
};
GtkShell compositor;

void onGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    auto *gtk = static_cast<GtkShell *>(data);
    if (!gtk->shell && std::strcmp(interface, gtkShellInterface.name) == 0)
        gtk->shell = gtk->wl.marshal(reinterpret_cast<wl_proxy *>(registry), Bind, &gtkShellInterface, 1, 0, name,
                                     gtkShellInterface.name, 1, nullptr);
}
void onGlobalRemoved(void *, wl_registry *, uint32_t) { }
const wl_registry_listener registryListener = {onGlobal, onGlobalRemoved};

void askForGlobals()
{
    auto *display = static_cast<wl_display *>(
        QGuiApplication::platformNativeInterface()->nativeResourceForIntegration("wl_display"));
    const std::optional<WaylandLibrary> wl = loadedWaylandLibrary();
    if (!display || !wl)
        return;
    compositor.wl = *wl;
    compositor.display = display;
    gtkSurfaceArguments[1] = wl->surfaceInterface;
    compositor.queue = wl->createQueue(display);
    auto *wrapper = static_cast<wl_proxy *>(wl->createWrapper(display));
    wl->setQueue(wrapper, compositor.queue);
    compositor.registry = wl->marshal(wrapper, GetRegistry, wl->registryInterface, 1, 0, nullptr);
    wl->destroyWrapper(wrapper);
    wl->addListener(compositor.registry,
                    reinterpret_cast<void (**)()>(const_cast<wl_registry_listener *>(&registryListener)), &compositor);
    wl->flush(display);
}

// The compositor's shell extension, once its globals have been read; none before.
wl_proxy *gtkShell()
{
    if (compositor.queue)
        compositor.wl.dispatchPending(compositor.display, compositor.queue);
    return compositor.shell;
}

// Sends set_modal when the box is first exposed: its toplevel exists then and is not yet
// mapped, so the compositor places it as a modal box from the start.
class MarkOnExpose : public QObject
{
public:
    MarkOnExpose(wl_proxy *shell, QWindow &box)
        : QObject(&box)
        , m_shell(shell)
    {
        box.installEventFilter(this);
    }
    ~MarkOnExpose() override
    {
        if (m_surface)
            compositor.wl.destroy(m_surface);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && !m_surface)
            mark(*static_cast<QWindow *>(watched));
        return false;
    }

private:
    void mark(QWindow &box)
    {
        auto *surface = static_cast<wl_proxy *>(
            QGuiApplication::platformNativeInterface()->nativeResourceForWindow("surface", &box));
        if (!surface)
            return;
        m_surface = compositor.wl.marshal(m_shell, GetGtkSurface, &gtkSurfaceInterface, 1, 0, nullptr, surface);
        compositor.wl.marshal(m_surface, SetModal, nullptr, 1, 0);
    }

    wl_proxy *m_shell;
    wl_proxy *m_surface = nullptr;
};

// GNOME leaves a window's frame to the program, and Qt's frame always has minimize and maximize
// buttons. A box there has a title bar of its own instead: its title, a close button, a border,
// and a drag that moves it.
class TitleBar : public QWidget
{
public:
    explicit TitleBar(QDialog &box)
        : QWidget(&box)
        , m_box(box)
    {
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Button);
        auto *close = new QToolButton(this);
        close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
        close->setAutoRaise(true);
        close->setAccessibleName(QStringLiteral("Close"));
        connect(close, &QToolButton::clicked, &box, &QDialog::close);
        m_title = new QLabel(box.windowTitle(), this);
        auto *title = m_title;
        title->setAlignment(Qt::AlignCenter);
        auto *row = new QHBoxLayout(this);
        row->setContentsMargins(6, 2, 2, 2);
        row->addSpacing(close->sizeHint().width());
        row->addWidget(title, 1);
        row->addWidget(close);
        box.setContentsMargins(Border, sizeHint().height(), Border, Border);
        box.installEventFilter(this);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && m_box.windowHandle())
            m_box.windowHandle()->startSystemMove();
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::WindowTitleChange)
            m_title->setText(m_box.windowTitle());
        else if (event->type() == QEvent::Resize)
            setGeometry(Border, Border, m_box.width() - 2 * Border, m_box.contentsMargins().top() - Border);
        else if (event->type() == QEvent::Paint) {
            QPainter border(&m_box);
            border.setPen(m_box.palette().color(QPalette::Dark));
            border.drawRect(m_box.rect().adjusted(0, 0, -1, -1));
        }
        return false;
    }

private:
    static constexpr int Border = 1;
    QDialog &m_box;
    QLabel *m_title;
};

} // namespace

void prepareModalOnWayland()
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && !compositor.registry)
        askForGlobals();
}

void markModalOnWayland(QDialog &box)
{
    wl_proxy *shell = gtkShell();
    if (!shell)
        return;
    box.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    new TitleBar(box);
    box.winId();
    if (QWindow *window = box.windowHandle())
        new MarkOnExpose(shell, *window);
}
#else
void prepareModalOnWayland() { }
void markModalOnWayland(QDialog &) { }
#endif
