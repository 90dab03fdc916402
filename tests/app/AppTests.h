#pragma once
// The window's test classes, each registered by name.
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace orv::test {

struct TestClass {
    const char* name;
    std::function<std::unique_ptr<QObject>()> make;
};

std::vector<TestClass>& AllTestClasses();

template <typename T>
struct Registered {
    explicit Registered(const char* name) {
        AllTestClasses().push_back({name, [] { return std::make_unique<T>(); }});
    }
};

}  // namespace orv::test

#define ORV_REGISTER_TEST(Class) static const orv::test::Registered<Class> registered##Class(#Class)
