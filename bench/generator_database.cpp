#include "generator_database.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>

namespace {

const char *const kFirst[] = {"Anna", "Bernd", "Clara", "David", "Elif", "Farid", "Greta", "Hugo", "Ines", "Jonas",
                              "Kim", "Lena", "Milan", "Nora", "Oskar", "Paula", "Quentin", "Rosa", "Stefan", "Tara"};
const char *const kLast[] = {"Berg", "Castro", "Dahl", "Eriksen", "Fischer", "Garcia", "Hansen", "Ito", "Jansen",
                             "Kowalski", "Lopez", "Moreau", "Novak", "Olsen", "Petrov", "Quinn", "Rossi", "Schmidt",
                             "Tanaka", "Weber", "Young", "Zimmer"};
const char *const kCities[] = {"Springfield", "Riverton", "Lakeside", "Hillview", "Oakdale", "Brookfield"};
const char *const kStreets[] = {"Main Street", "Oak Avenue", "Mill Road", "Station Road", "Park Lane", "High Street"};

// Buffers the text and hands it to the device in large blocks.
class Out
{
public:
    explicit Out(QIODevice &device) : m_device(device) { m_buffer.reserve(kBlock + 4096); }
    ~Out() { flush(); }
    Out &operator<<(const char *s) { m_buffer.append(s); return *this; }
    Out &operator<<(const QByteArray &s) { m_buffer.append(s); return *this; }
    Out &operator<<(qint64 n) { m_buffer.append(QByteArray::number(n)); return *this; }
    Out &operator<<(int n) { m_buffer.append(QByteArray::number(n)); return *this; }
    void endLine()
    {
        m_buffer.append("\r\n", 2);
        if (m_buffer.size() >= kBlock)
            flush();
    }
    void flush()
    {
        if (!m_buffer.isEmpty()) {
            m_written += m_device.write(m_buffer);
            m_buffer.clear();
        }
    }
    qint64 written() const { return m_written + m_buffer.size(); }

private:
    static constexpr qsizetype kBlock = 1 << 20;
    QIODevice &m_device;
    QByteArray m_buffer;
    qint64 m_written = 0;
};

class Generator
{
public:
    Generator(QIODevice &device, const GeneratorOptions &options) : m_out(device), m_options(options) {}

    GeneratedCounts run()
    {
        m_out << "{Params}";
        m_out.endLine();
        m_out << "{0 11 }My Contacts~~~~~~32892645";
        m_out.endLine();
        ++m_items;
        const int perFolder = m_options.personsPerFolder > 0 ? m_options.personsPerFolder : m_options.persons;
        int folder = 0;
        for (int done = 0; done < m_options.persons; ++folder) {
            const int here = std::min(perFolder, m_options.persons - done);
            writeFolder(folder, done, here);
            done += here;
        }
        m_out.flush();
        return GeneratedCounts{m_items, m_out.written()};
    }

private:
    void header(int level, int kind, const QByteArray &title, const QByteArray &value, const QByteArray &comment)
    {
        m_out << "{" << level << " " << kind << " }" << title << "~~" << value << "~~" << comment << "~~"
              << m_nextId++;
        m_out.endLine();
        ++m_items;
    }

    void writeFolder(int index, int firstPerson, int count)
    {
        header(1, 0, "Folder " + QByteArray::number(index + 1), {}, {});
        m_out << "{Fold}0";
        m_out.endLine();
        const bool wide = m_options.personsPerFolder <= 0;
        const int orgs = wide ? 0 : m_options.organizationsPerFolder;
        // Persons in organizations first: each organization's record, then its people.
        int person = firstPerson;
        const int inOrgs = orgs > 0 ? count * m_options.inOrganizationsPerTen / 10 : 0;
        for (int o = 0; o < orgs; ++o) {
            const int members = inOrgs / orgs + (o < inOrgs % orgs ? 1 : 0);
            const QByteArray name = QByteArray(kLast[(index + o) % std::size(kLast)]) + " & Partners " +
                                    QByteArray::number(index * orgs + o + 1);
            header(2, 1, name, {}, {});
            m_out << "{Orgn}Office~~Switchboard~~~~~~~~0";
            m_out.endLine();
            leaf(3, 5, "Office", street(index + o));
            m_out << "{Addr}" << street(index + o) << "~~~~~~" << kCities[o % std::size(kCities)] << "~~ST~~"
                  << QByteArray::number(10000 + (index * 7 + o) % 89999) << "~~Country~~0";
            m_out.endLine();
            leaf(3, 6, "Switchboard", phone(index * 100 + o));
            m_out << "{Phon}~~0";
            m_out.endLine();
            for (int m = 0; m < members; ++m)
                writePerson(3, person++);
        }
        while (person < firstPerson + count)
            writePerson(2, person++);
    }

    void leaf(int level, int kind, const QByteArray &title, const QByteArray &value)
    {
        header(level, kind, title, value, {});
    }

    static QByteArray street(int n) { return QByteArray::number(n % 200 + 1) + " " + kStreets[n % std::size(kStreets)]; }
    static QByteArray phone(int n)
    {
        return "555-" + QByteArray::number(1000 + n % 9000) + "-" + QByteArray::number(n % 97);
    }

    void writePerson(int level, int n)
    {
        const QByteArray first = kFirst[n % std::size(kFirst)];
        const QByteArray last = kLast[(n / std::size(kFirst)) % std::size(kLast)];
        const QByteArray title = first + " " + last + " " + QByteArray::number(n + 1);
        header(level, 3, title, " " + first + " " + last, n % 7 == 0 ? "met at the fair" : "");
        m_out << "{Pers}~~" << first << "~~~~" << last << "~~Home~~Home~~~~E-Mail~~~~0";
        m_out.endLine();
        const int leafLevel = level + 1;
        leaf(leafLevel, 5, "Home", street(n));
        m_out << "{Addr}" << street(n) << "~~Apartment " << (n % 40 + 1) << "~~~~" << kCities[n % std::size(kCities)]
              << "~~ST~~" << QByteArray::number(10000 + n % 89999) << "~~Country~~0";
        m_out.endLine();
        leaf(leafLevel, 6, "Home", phone(n));
        m_out << "{Phon}~~0";
        m_out.endLine();
        leaf(leafLevel, 6, "Work", phone(n * 7 + 3));
        m_out << "{Phon}" << (n % 90 + 10) << "~~0";
        m_out.endLine();
        leaf(leafLevel, 7, "E-Mail", first.toLower() + "." + last.toLower() + QByteArray::number(n) + "@example.com");
        m_out << "{Mail}0";
        m_out.endLine();
        const bool due = n % 100 < m_options.dueRemindersPerHundred;
        const int year = due ? 2001 : 2090;
        const int month = n % 12 + 1;
        const int day = n % 28 + 1;
        const QByteArray date = QByteArray::number(month) + "/" + QByteArray::number(day) + "/" + QByteArray::number(year);
        leaf(leafLevel, 9, "Birthday of " + first, date);
        m_out << "{Remd}" << year << "," << month << "," << day << ",2~~0";
        m_out.endLine();
    }

    Out m_out;
    GeneratorOptions m_options;
    qint64 m_items = 0;
    qint64 m_nextId = 1000;
};

} // namespace

GeneratedCounts WriteGeneratedDatabase(QIODevice &out, const GeneratorOptions &options)
{
    return Generator(out, options).run();
}

bool WriteGeneratedDatabaseFile(const QString &fileName, const GeneratorOptions &options, GeneratedCounts *counts)
{
    QFile f(fileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const GeneratedCounts c = WriteGeneratedDatabase(f, options);
    if (counts)
        *counts = c;
    return f.flush() && f.error() == QFile::NoError;
}
