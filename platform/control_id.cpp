#include "platform/control_id.h"

#include <QVariant>

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <utility>

namespace {

template <class Visit> bool Walk(const QWidget* parent, Visit&& visit)
{
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr || widget->isWindow())
            continue;
        if (visit(widget))
            return true;
        if (!IsCtrlRoot(widget) && Walk(widget, visit))
            return true;
    }
    return false;
}

MissingControlReporter& InstalledReporter()
{
    static MissingControlReporter reporter;
    return reporter;
}

// The class the window was made as (a dialog's own class, not its base's), readable.
QString ClassNameOf(const QWidget& window)
{
    const char* mangled = typeid(window).name();
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> readable(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                          std::free);
    return QString::fromLatin1(status == 0 && readable ? readable.get() : mangled);
}

} // namespace

void SetCtrlId(QWidget* control, int id)
{
    if (control)
        control->setProperty(kCtrlIdProperty, id);
}

int CtrlIdOf(const QObject* control)
{
    if (control == nullptr)
        return 0;
    bool ok = false;
    int id = control->property(kCtrlIdProperty).toInt(&ok);
    return ok ? id : 0;
}

void MarkCtrlRoot(QWidget* window)
{
    if (window)
        window->setProperty(kCtrlRootProperty, true);
}

bool IsCtrlRoot(const QObject* window)
{
    return window != nullptr && window->property(kCtrlRootProperty).toBool();
}

QWidget* FindControl(const QWidget* root, int id)
{
    if (root == nullptr || id == 0)
        return nullptr;
    QWidget* found = nullptr;
    Walk(root, [&](QWidget* w) {
        if (CtrlIdOf(w) == id) {
            found = w;
            return true;
        }
        return false;
    });
    return found;
}

QList<QWidget*> ControlsOf(const QWidget* root)
{
    QList<QWidget*> controls;
    if (root == nullptr)
        return controls;
    Walk(root, [&](QWidget* w) {
        if (CtrlIdOf(w) != 0)
            controls.append(w);
        return false;
    });
    return controls;
}

MissingControlReporter SetMissingControlReporter(MissingControlReporter reporter)
{
    return std::exchange(InstalledReporter(), std::move(reporter));
}

void ReportMissingControl(const QWidget& window, int id)
{
    if (const MissingControlReporter& reporter = InstalledReporter())
        reporter(window, id);
    else
        qWarning("%s", qPrintable(DescribeMissingControl(window, id)));
}

QString DescribeWindow(const QWidget& window)
{
    return QStringLiteral("%1 \"%2\"").arg(ClassNameOf(window), window.windowTitle());
}

QString DescribeMissingControl(const QWidget& window, int id)
{
    return QStringLiteral("%1 has no control %2").arg(DescribeWindow(window)).arg(id);
}
