#include "support/FlagObjects.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// Logs each notification and the Changed hook, so their order can be checked.
class TRecordingObject : public TModifyObject {
public:
    void Notify(quint32 mask) override
    {
        Log.push_back("Notify " + std::to_string(mask));
        TModifyObject::Notify(mask);
    }
    void Changed() override { Log.push_back("Changed"); }

    std::vector<std::string> Log;
};

TFlagHandler Logging(std::vector<std::string>& log, const std::string& name, TFlagObjectCustum& expectedSender)
{
    return [&log, name, &expectedSender](TFlagObjectCustum& sender) {
        log.push_back(&sender == &expectedSender ? name : name + " with a wrong sender");
    };
}

struct TSetFlagsCase {
    const char* Name;
    friend void PrintTo(const TSetFlagsCase& row, std::ostream* out) { *out << row.Name; }
    quint32 Initial;
    quint32 Mask;
    bool Value;
    quint32 Expected;
    std::vector<std::string> Log;
};

class FlagObjectsSetFlagsTest : public testing::TestWithParam<TSetFlagsCase> {};

TEST_P(FlagObjectsSetFlagsTest, ChangesAndNotifiesEachDifferingBit)
{
    const TSetFlagsCase& row = GetParam();
    TRecordingObject object;
    object.SetFlags(row.Initial, true);
    object.Log.clear();

    object.SetFlags(row.Mask, row.Value);

    EXPECT_EQ(object.Flags(), row.Expected);
    EXPECT_EQ(object.Log, row.Log);
}

INSTANTIATE_TEST_SUITE_P(
    Bits, FlagObjectsSetFlagsTest,
    testing::Values(
        TSetFlagsCase{"SetsOnlyClearBitsLowestFirst", 2, 7, true, 7, {"Notify 1", "Changed", "Notify 4"}},
        TSetFlagsCase{"AlreadySetNotifiesNobody", 3, 3, true, 3, {}},
        TSetFlagsCase{"ClearsOnlySetBits", 5, 7, false, 0, {"Notify 1", "Changed", "Notify 4"}},
        TSetFlagsCase{"OtherBitsKept", 6, 1, true, 7, {"Notify 1", "Changed"}},
        TSetFlagsCase{"HighestBit", 0, 0x80000000u, true, 0x80000000u, {"Notify 2147483648"}},
        TSetFlagsCase{"EmptyMask", 1, 0, false, 1, {}}),
    [](const testing::TestParamInfo<TSetFlagsCase>& info) { return info.param.Name; });

TEST(FlagObjectsTest, ChangedRunsBeforeHandlersOnlyForTheModifiedBit)
{
    TRecordingObject object;
    object.RegisterHandler(flagModified | flagSorted,
                           [&object](TFlagObjectCustum&) { object.Log.push_back("handler"); });

    object.Notify(flagSorted);
    object.Notify(flagModified);

    EXPECT_EQ(object.Log, (std::vector<std::string>{"Notify 2", "handler", "Notify 1", "Changed", "handler"}));
}

TEST(FlagObjectsTest, HandlersRunInRegistrationOrderWhenTheirMaskSharesABit)
{
    TModifyObject object;
    std::vector<std::string> log;
    object.RegisterHandler(flagSorted, Logging(log, "sorted", object));
    object.RegisterHandler(flagModified | flagSorted, Logging(log, "both", object));
    object.RegisterHandler(flagModified, Logging(log, "modified", object));

    object.Notify(flagModified);
    object.Notify(flagSorted);

    EXPECT_EQ(log, (std::vector<std::string>{"both", "modified", "sorted", "both"}));
}

TEST(FlagObjectsTest, RegisteringTheSameMaskReplacesInPlaceAndEmptyRemoves)
{
    TModifyObject object;
    std::vector<std::string> log;
    object.RegisterHandler(0, Logging(log, "mask 0", object));
    object.RegisterHandler(flagModified, Logging(log, "first", object));
    object.RegisterHandler(flagModified | flagSorted, Logging(log, "second", object));
    object.RegisterHandler(flagModified, Logging(log, "replaced", object));

    object.Notify(flagModified);
    object.RegisterHandler(flagModified, TFlagHandler());
    object.RegisterHandler(flagSorted, TFlagHandler()); // no such record: nothing to remove
    object.Notify(0xFFFFFFFFu);

    EXPECT_EQ(log, (std::vector<std::string>{"replaced", "second", "second"}));
}

TEST(FlagObjectsTest, HandlerMayChangeTheRegistrationsWhileNotified)
{
    TModifyObject object;
    std::vector<std::string> log;
    object.RegisterHandler(flagModified, [&](TFlagObjectCustum&) {
        log.push_back("removes itself");
        object.RegisterHandler(flagModified, TFlagHandler());
        object.RegisterHandler(flagSorted, Logging(log, "added", object));
    });
    object.RegisterHandler(flagModified | flagSorted, Logging(log, "kept", object));

    object.Notify(flagModified | flagSorted);
    object.Notify(flagModified | flagSorted);

    EXPECT_EQ(log, (std::vector<std::string>{"removes itself", "kept", "kept", "added"}));
}

} // namespace
