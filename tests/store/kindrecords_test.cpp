#include <gtest/gtest.h>

#include "recordfiletestutil.h"
#include "store/orgobject.h"
#include "store/recordfile.h"
#include "store/teamobject.h"
#include "support/storefixture.h"

namespace {

// Values the record grammar cannot hold as they are.
const QStringList kHostile = {"a~~b", "~lead", "trail~", "two\r\nlines", "lf\nonly", "%7E stays", "~", "~~",
                              "~~~", "100% ~ sure", "\r", "{Pers}"};

QString hostile(int i) { return kHostile.at(i % kHostile.size()); }

using HostileKindsTest = StoreFixture;

} // namespace

TEST_F(HostileKindsTest, EveryKindsOwnFieldsSurviveASaveAndLoad)
{
    int n = 0;
    auto next = [&n] { return hostile(n++); };
    auto *org = dynamic_cast<TOrgObject *>(add(Kinds::Organization, next(), root, next(), {}, 1));
    org->SetComment(next());
    org->SetCategories(-1);
    org->SetPrimaryAddress(next());
    org->SetPrimaryPhone(next());
    org->SetPrimaryFax(next());
    org->SetPrimaryEMail(next());
    org->SetPrimaryWebsite(next());
    auto *team = dynamic_cast<TTeamObject *>(add(Kinds::Team, next(), org->Node(), next(), {}, 2));
    team->SetCategories(1 << 30);

    auto *person = dynamic_cast<TPersonObject *>(add(Kinds::Person, next(), team->Node(), next(), {}, 3));
    person->SetSalutation(next());
    person->SetFirstName(next());
    person->SetMiddleName(next());
    person->SetLastName(next());
    person->SetPrimaryAddress(next());
    person->SetPrimaryPhone(next());
    person->SetPrimaryFax(next());
    person->SetPrimaryEMail(next());
    person->SetPrimaryWebsite(next());

    auto *address = dynamic_cast<TAddressObject *>(add(Kinds::Address, next(), person->Node(), next(), {}, 4));
    address->SetLines({next(), next(), next()});
    address->SetCity(next());
    address->SetState(next());
    address->SetPostalCode(next());
    address->SetCountry(next());
    auto *phone = dynamic_cast<TPhoneObject *>(add(Kinds::Phone, next(), person->Node(), next(), {}, 5));
    phone->SetExtension(next());
    add(Kinds::Fax, next(), person->Node(), next(), {}, 6)->SetComment(next());
    add(Kinds::EMail, next(), person->Node(), next(), {}, 7)->SetCategories(7);
    add(Kinds::Website, next(), person->Node(), next(), {}, 8)->SetComment(next());

    const QStringList before = Describe(root);
    SaveDatabase(nodes);
    const QByteArray saved = ReadBytes(RecordFile::DatabaseName);
    // Every record is a header and a data line, so the file has exactly two lines each
    // (plus the parameters line and the root's header).
    EXPECT_EQ(saved.count("\r\n"), 2 + 2 * 8);
    EXPECT_EQ(saved.count('\n'), saved.count("\r\n"));

    nodes.DeleteChildren(root);
    LoadDatabase(root);
    EXPECT_EQ(Describe(root), before);
    SaveDatabase(nodes);
    EXPECT_EQ(ReadBytes(RecordFile::DatabaseName), saved);
}
