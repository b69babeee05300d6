#include "support/FlagObjects.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

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

// Each row starts from Initial and sets the bits of Mask to Value.
TEST(FlagObjectsTest, SetFlagsChangesAndNotifiesEachDifferingBitLowestFirst)
{
    const struct {
        const char* Name;
        quint32 Initial, Mask;
        bool Value;
        quint32 Expected;
        std::vector<std::string> Log;
    } rows[] = {
        {"sets only clear bits", 2, 7, true, 7, {"Notify 1", "Changed", "Notify 4"}},
        {"already set notifies nobody", 3, 3, true, 3, {}},
        {"clears only set bits", 5, 7, false, 0, {"Notify 1", "Changed", "Notify 4"}},
        {"other bits kept", 6, 1, true, 7, {"Notify 1", "Changed"}},
        {"highest bit", 0, 0x80000000u, true, 0x80000000u, {"Notify 2147483648"}},
        {"empty mask", 1, 0, false, 1, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TRecordingObject object;
        object.SetFlags(row.Initial, true);
        object.Log.clear();
        object.SetFlags(row.Mask, row.Value);
        EXPECT_EQ(object.Flags(), row.Expected);
        EXPECT_EQ(object.Log, row.Log);
    }
}

TEST(FlagObjectsTest, ChangedRunsBeforeHandlersOnlyForTheModifiedBit)
{
    TRecordingObject object;
    object.RegisterHandler(flagModified | flagSorted,
                           [&object](TFlagObjectCustum&) { object.Log.push_back("handler"); });

    object.Notify(flagSorted);
    object.Notify(flagModified);

    EXPECT_EQ(object.Log, (std::vector<std::string>{"Notify 2", "handler", "Notify 1", "Changed", "handler"}));
}

TEST(FlagObjectsTest, HandlersRunInRegistrationOrderAndTheSameMaskReplacesInPlace)
{
    TModifyObject object;
    std::vector<std::string> log;
    object.RegisterHandler(flagSorted, Logging(log, "sorted", object));
    object.RegisterHandler(flagModified, Logging(log, "first", object));
    object.RegisterHandler(flagModified | flagSorted, Logging(log, "both", object));
    object.RegisterHandler(flagModified, Logging(log, "replaced", object));
    object.RegisterHandler(0, Logging(log, "mask 0", object));

    object.Notify(flagModified);
    object.Notify(flagSorted);
    object.RegisterHandler(flagModified, TFlagHandler());
    object.RegisterHandler(4, TFlagHandler()); // no such record: nothing to remove
    object.Notify(0xFFFFFFFFu);

    EXPECT_EQ(log, (std::vector<std::string>{"replaced", "both", "sorted", "both", "sorted", "both"}));
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
