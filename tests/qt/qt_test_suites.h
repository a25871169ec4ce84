// The Qt Test classes, each registered under its class name so one
// executable runs them all or the one chosen with "-suite Name".
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace q32::test {

using SuiteFactory = std::function<std::unique_ptr<QObject>()>;

inline std::map<std::string, SuiteFactory>& suites() {
    static std::map<std::string, SuiteFactory> registry;
    return registry;
}

}  // namespace q32::test

#define Q32_TEST_SUITE(Class) \
    static const bool registered##Class = (q32::test::suites()[#Class] = [] { return std::make_unique<Class>(); }, true)
