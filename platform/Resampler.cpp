#include "platform/Resampler.h"

#include <algorithm>
#include <soxr.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

void Resampler::SoxrDeleter::operator()(soxr* resampler) const
{
    soxr_delete(resampler);
}

Resampler::Resampler(int inputRate, int outputRate)
    : inputRate_(inputRate)
    , outputRate_(outputRate)
{
    // Without dither, the same text always gives the same file.
    soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
    io.flags |= SOXR_NO_DITHER;
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    soxr_error_t failure = nullptr;
    soxr_.reset(soxr_create(inputRate, outputRate, 1, &failure, &io, &quality, nullptr));
    if (failure)
        throw std::runtime_error(std::string("Cannot resample audio: ") + failure);
}

Resampler::~Resampler() = default;

void Resampler::process(std::span<const std::int16_t> samples, const Output& output)
{
    if (!samples.empty())
        run(samples.data(), samples.size(), output);
}

void Resampler::drain(const Output& output)
{
    run(nullptr, 0, output);
}

// A null input drains.
void Resampler::run(const std::int16_t* samples, std::size_t count, const Output& output)
{
    const bool draining = samples == nullptr;
    std::vector<std::int16_t> out(count * static_cast<std::size_t>(outputRate_) /
                                      static_cast<std::size_t>(std::max(inputRate_, 1)) +
                                  1024);
    while (true) {
        std::size_t used = 0;
        std::size_t made = 0;
        soxr_process(soxr_.get(), samples, count, &used, out.data(), out.size(), &made);
        if (made > 0)
            output({out.data(), made});
        if (draining ? made == 0 : (used == 0 && made == 0))
            break;
        if (!draining) {
            samples += used;
            count -= used;
            if (count == 0 && made < out.size())
                break;
        }
    }
}

} // namespace platform
