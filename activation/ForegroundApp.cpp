#include "activation/ForegroundApp.h"

namespace tarvex {

bool AppFilterAllows(const AppFilter& filter, const ForegroundApp& app)
{
    if (filter.mode == AppFilter::Mode::Everywhere)
        return true;
    bool named = false;
    for (const QString& name : app.names)
        named = named || filter.apps.contains(name.trimmed(), Qt::CaseInsensitive);
    if (filter.mode == AppFilter::Mode::OnlyIn)
        return app.known && named;
    return !app.known || !named;
}

} // namespace tarvex
