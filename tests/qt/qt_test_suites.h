// The Qt Test classes of the controls, each registered under its class name
// so one executable runs them all or one chosen with "-suite Name".
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace q32::test {

using SuiteFactory = std::function<std::unique_ptr<QObject>()>;

std::map<std::string, SuiteFactory>& suites();

struct SuiteRegistration {
    SuiteRegistration(const char* name, SuiteFactory factory) { suites()[name] = std::move(factory); }
};

}  // namespace q32::test

#define Q32_TEST_SUITE(Class) \
    static const q32::test::SuiteRegistration registration##Class(#Class, [] { return std::make_unique<Class>(); })
