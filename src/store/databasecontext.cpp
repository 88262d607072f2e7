#include "databasecontext.h"

#include "fieldcodec.h"
#include "itemservices.h"
#include "toolitems.h"

#include <QElapsedTimer>

namespace {

// The system's date reads the time zone file on every call, and a load asks for it
// several times per reminder: it is taken again at most once a second.
QDate systemToday()
{
    static QElapsedTimer since;
    static QDate cached;
    if (!cached.isValid() || !since.isValid() || since.elapsed() >= 1000) {
        cached = QDate::currentDate();
        since.start();
    }
    return cached;
}

} // namespace

DatabaseContext::DatabaseContext()
    : m_pool(std::make_unique<FieldPool>()), m_tools(std::make_unique<TToolItems>(this))
{
}

DatabaseContext::DatabaseContext(DetachedTag) : m_tools(std::make_unique<TToolItems>()) {}

DatabaseContext::~DatabaseContext() = default;

ItemServices &DatabaseContext::Services() const { return m_services ? *m_services : QuietServices(); }

void DatabaseContext::SetServices(ItemServices *services) { m_services = services; }

QDate DatabaseContext::Today() const { return m_today.isValid() ? m_today : systemToday(); }

const DatabaseContext &DatabaseContext::Detached()
{
    static const DatabaseContext detached{DetachedTag{}};
    return detached;
}
