#include "bench/UnseenUser.h"
#include "device/EmulatedDevice.h"
#include "device/Transfer.h"
#include "model/DeviceImage.h"
#include "tests/support/LimitConfiguration.h"

#include <benchmark/benchmark.h>

// The model operations every edit, save and transfer runs, and whole
// transfers against the emulator, all on a configuration at the size limit.
namespace vantrel {
namespace {

/// Reports that a full transfer of a 4032-byte table makes: the two pairs,
/// the two trailer blocks and 504 data blocks.
constexpr int ExchangesPerTransfer = 508;

/// Stops the run when the configuration is not the one the figures are for.
bool atTheLimit(benchmark::State& state, const Configuration& config) {
    if (configurationSize(config) != MaxConfigSize) {
        state.SkipWithError("the configuration is not at the size limit");
        return false;
    }
    return true;
}

void BuildDeviceImage(benchmark::State& state) {
    const Configuration config = testing::configurationAtTheLimit();
    const DeviceSettings settings;
    DeviceImage image{};
    if (!atTheLimit(state, config)) {
        return;
    }
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(buildDeviceImage(image, config, settings));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BuildDeviceImage);

void LoadDeviceImage(benchmark::State& state) {
    const Configuration source = testing::configurationAtTheLimit();
    DeviceImage image{};
    buildDeviceImage(image, source, DeviceSettings{});
    Configuration config;
    DeviceSettings settings;
    if (!atTheLimit(state, source)) {
        return;
    }
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(loadDeviceImage(image, config, settings));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(LoadDeviceImage);

void ConfigurationSize(benchmark::State& state) {
    const Configuration config = testing::configurationAtTheLimit();
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(configurationSize(config));
    }
}
BENCHMARK(ConfigurationSize);

void WriteToDevice(benchmark::State& state) {
    const Configuration config = testing::configurationAtTheLimit();
    const DeviceSettings settings;
    EmulatedDevice device;
    bench::UnseenUser user;
    TransferContext context{device, user};
    if (!atTheLimit(state, config)) {
        return;
    }
    for ([[maybe_unused]] auto _ : state) {
        device.clearReports(); // the log would otherwise grow with every run
        if (writeToDevice(config, settings, context).kind != TransferKind::Succeeded) {
            state.SkipWithError("the write failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * ExchangesPerTransfer);
}
BENCHMARK(WriteToDevice)->Unit(benchmark::kMicrosecond);

void ReadFromDevice(benchmark::State& state) {
    const Configuration written = testing::configurationAtTheLimit();
    EmulatedDevice device;
    bench::UnseenUser user;
    TransferContext context{device, user};
    if (!atTheLimit(state, written) ||
        writeToDevice(written, DeviceSettings{}, context).kind != TransferKind::Succeeded) {
        state.SkipWithError("the configuration could not be written first");
        return;
    }
    Configuration config;
    DeviceSettings settings;
    for ([[maybe_unused]] auto _ : state) {
        device.clearReports();
        if (readFromDevice(config, settings, context).kind != TransferKind::Succeeded) {
            state.SkipWithError("the read failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * ExchangesPerTransfer);
}
BENCHMARK(ReadFromDevice)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vantrel

BENCHMARK_MAIN();
