#include "textex/EditorAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLatin1StringView>
#include <QWidget>

#include <mutex>

namespace {

QAccessibleInterface* plainEditorAccessible(const QString& className, QObject* object)
{
    if (className != QLatin1StringView("TextExBox") || QAccessible::isActive())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::EditableText);
}

std::once_flag installed;

} // namespace

void installEditorAccessibility()
{
    std::call_once(installed, [] { QAccessible::installFactory(plainEditorAccessible); });
}
