// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/Resampler.h"

#include <algorithm>
#include <soxr.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace audio {

void Resampler::SoxrDeleter::operator()(soxr* resampler) const
{
    soxr_delete(resampler);
}

Resampler::Resampler(int inputRate, int outputRate)
    : inputRate_(inputRate)
{
    // Without dither, the same text always gives the same file.
    soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
    io.flags |= SOXR_NO_DITHER;
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    soxr_error_t failure = nullptr;
    soxr_.reset(soxr_create(inputRate, outputRate, 1, &failure, &io, &quality, nullptr));
    if (failure)
        throw std::runtime_error(std::string("Cannot resample audio: ") + failure);
    out_.resize(BlockSamples * static_cast<std::size_t>(outputRate) /
                    static_cast<std::size_t>(std::max(inputRate, 1)) +
                1024);
}

Resampler::~Resampler() = default;

// In blocks, so a long sound needs no buffers of its size.
void Resampler::process(std::span<const std::int16_t> samples, const Output& output)
{
    for (std::size_t start = 0; start < samples.size(); start += BlockSamples) {
        const std::span<const std::int16_t> block =
            samples.subspan(start, std::min(BlockSamples, samples.size() - start));
        run(block.data(), block.size(), output);
    }
}

void Resampler::drain(const Output& output)
{
    run(nullptr, 0, output);
}

// A null input drains.
void Resampler::run(const std::int16_t* samples, std::size_t count, const Output& output)
{
    const bool draining = samples == nullptr;
    while (true) {
        std::size_t used = 0;
        std::size_t made = 0;
        soxr_process(soxr_.get(), samples, count, &used, out_.data(), out_.size(), &made);
        if (made > 0)
            output({out_.data(), made});
        if (draining ? made == 0 : (used == 0 && made == 0))
            break;
        if (!draining) {
            samples += used;
            count -= used;
            if (count == 0 && made < out_.size())
                break;
        }
    }
}

} // namespace audio
