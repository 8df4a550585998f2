#include <gtest/gtest.h>

#include <thread>

#include "platform/Automation.h"

namespace platform::automation {
namespace {

class Echo : public Dispatch {
  public:
    Variant Invoke(std::int32_t dispid, InvokeKind,
                   const std::vector<Variant>& arguments) override {
        if (dispid != 1 || arguments.size() != 1) {
            throw AutomationError(DISP_E_MEMBERNOTFOUND, "no such member");
        }
        return arguments.front().Value();
    }
};

template <typename Call>
std::int32_t ErrorOf(Call call) {
    try {
        call();
    } catch (const AutomationError& error) {
        return error.HResult();
    }
    return 0;
}

TEST(Variant, AccessorsGiveTheirTypeAndRefuseOthers) {
    const auto object = std::make_shared<Echo>();
    const Variant values[] = {Variant::I2(-2),
                              Variant::I4(70000),
                              Variant::Bool(true),
                              Variant::BStr("t\xC3\xA9xt"),
                              Variant::Error(DISP_E_EXCEPTION),
                              Variant::Object(object),
                              Variant()};
    EXPECT_EQ(values[0].AsI2(), -2);
    EXPECT_EQ(values[1].AsI4(), 70000);
    EXPECT_TRUE(values[2].AsBool());
    EXPECT_EQ(values[3].AsBStr(), "t\xC3\xA9xt");
    EXPECT_EQ(values[4].AsError(), DISP_E_EXCEPTION);
    EXPECT_EQ(values[5].AsObject(), object);
    EXPECT_EQ(values[6].Type(), VarType::Empty);

    // Each accessor on every other type is a type mismatch.
    const std::function<void(const Variant&)> accessors[] = {
        [](const Variant& v) { v.AsI2(); },      [](const Variant& v) { v.AsI4(); },
        [](const Variant& v) { v.AsBool(); },    [](const Variant& v) { v.AsBStr(); },
        [](const Variant& v) { v.AsError(); },   [](const Variant& v) { v.AsObject(); },
        [](const Variant& v) { v.Referenced(); }};
    for (std::size_t a = 0; a < std::size(accessors); ++a) {
        for (std::size_t v = 0; v < std::size(values); ++v) {
            if (a != v) {
                EXPECT_EQ(ErrorOf([&] { accessors[a](values[v]); }), DISP_E_TYPEMISMATCH)
                    << "accessor " << a << " on value " << v;
            }
        }
    }
}

TEST(Variant, MissingAndByReference) {
    EXPECT_TRUE(Variant::Missing().IsMissing());
    EXPECT_FALSE(Variant::Error(DISP_E_EXCEPTION).IsMissing());
    EXPECT_FALSE(Variant::I4(0).IsMissing());

    auto target = std::make_shared<Variant>(Variant::I4(5));
    const Variant reference = Variant::ByRef(target);
    EXPECT_EQ(reference.Type(), VarType::ByRef);
    EXPECT_EQ(reference.Value().AsI4(), 5);
    *target = Variant::BStr("changed");
    EXPECT_EQ(reference.Referenced().AsBStr(), "changed");
    EXPECT_EQ(Variant::I2(1).Value().AsI2(), 1);
    EXPECT_EQ(ErrorOf([] { Variant::ByRef(nullptr); }), DISP_E_TYPEMISMATCH);
}

class ObjectCreation : public ::testing::Test {
  protected:
    void TearDown() override {
        while (IsInitialized()) {
            Uninitialize();
        }
        ClassTable::Instance().Unregister("Test.Echo");
        ClassTable::Instance().Unregister("Test.Missing");
    }
};

TEST_F(ObjectCreation, NeedsTheRuntimeOnThisThread) {
    ClassTable::Instance().Register("Test.Echo", [] { return std::make_shared<Echo>(); });
    EXPECT_EQ(ErrorOf([] { CreateObject("Test.Echo"); }), CO_E_NOTINITIALIZED);

    Initialize();
    Initialize();
    Uninitialize();
    ASSERT_TRUE(IsInitialized()) << "initialisations nest";
    const auto echo = CreateObject("test.echo");
    ASSERT_TRUE(echo);
    EXPECT_EQ(echo->Invoke(1, InvokeKind::Method, {Variant::BStr("hi")}).AsBStr(), "hi");
    EXPECT_EQ(ErrorOf([&] { echo->Invoke(2, InvokeKind::Method, {}); }), DISP_E_MEMBERNOTFOUND);

    std::int32_t otherThread = 0;
    std::thread([&] { otherThread = ErrorOf([] { CreateObject("Test.Echo"); }); }).join();
    EXPECT_EQ(otherThread, CO_E_NOTINITIALIZED);

    Uninitialize();
    Uninitialize();  // one too many does no harm
    EXPECT_FALSE(IsInitialized());
    EXPECT_EQ(ErrorOf([] { CreateObject("Test.Echo"); }), CO_E_NOTINITIALIZED);
}

TEST_F(ObjectCreation, UnknownClassesAndFailingFactories) {
    Initialize();
    EXPECT_EQ(ErrorOf([] { CreateObject("Test.Missing"); }), REGDB_E_CLASSNOTREG);
    ClassTable::Instance().Register("Test.Missing", []() -> std::shared_ptr<Dispatch> {
        throw AutomationError(DISP_E_EXCEPTION, "application not installed");
    });
    EXPECT_TRUE(ClassTable::Instance().IsRegistered("TEST.MISSING"));
    EXPECT_EQ(ErrorOf([] { CreateObject("Test.Missing"); }), DISP_E_EXCEPTION);
    ClassTable::Instance().Unregister("test.missing");
    EXPECT_FALSE(ClassTable::Instance().IsRegistered("Test.Missing"));
    EXPECT_EQ(ErrorOf([] { ClassTable::Instance().Create("Test.Missing"); }), REGDB_E_CLASSNOTREG);
}

}  // namespace
}  // namespace platform::automation
