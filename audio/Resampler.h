// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

struct soxr;

namespace audio {

// Changes the rate of 16-bit mono sound with libsoxr at high quality.
class Resampler {
public:
    using Output = std::function<void(std::span<const std::int16_t>)>;

    Resampler(int inputRate, int outputRate);
    ~Resampler();
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    int inputRate() const { return inputRate_; }
    void process(std::span<const std::int16_t> samples, const Output& output);
    // Hands on what the resampler still holds; the end of the sound.
    void drain(const Output& output);

private:
    static constexpr std::size_t BlockSamples = 16384;

    void run(const std::int16_t* samples, std::size_t count, const Output& output);

    struct SoxrDeleter {
        void operator()(soxr* resampler) const;
    };

    int inputRate_;
    std::unique_ptr<soxr, SoxrDeleter> soxr_;
    std::vector<std::int16_t> out_;
};

} // namespace audio
