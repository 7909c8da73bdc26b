// The update check's reading of the version page, from the fetched body to the number:
// fetch loop, zero-byte cut, UTF-8 to GB18030, marker search, number reading.

#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/linux/iconv_converter.hpp"
#include "ports/http_client.hpp"
#include "update/update_check.hpp"
#include "update/version_number.hpp"

namespace {

using namespace zivmora;

// Serves one page from memory, so that only the program's own work is measured.
class MemoryHttpClient final : public HttpClient {
public:
    explicit MemoryHttpClient(const std::string& page) : page_(page) {}

    std::unique_ptr<HttpResponse> send(const HttpRequest&) override {
        struct Response final : HttpResponse {
            const std::string& page;
            std::size_t position = 0;
            explicit Response(const std::string& p) : page(p) {}
            std::optional<std::string> content_length() override {
                return std::to_string(page.size());
            }
            ReadResult read(char* buffer, std::size_t size) override {
                const std::size_t count = std::min(size, page.size() - position);
                if (count == 0) {
                    return {ReadStatus::end, 0};
                }
                std::memcpy(buffer, page.data() + position, count);
                position += count;
                return {ReadStatus::data, count};
            }
        };
        return std::make_unique<Response>(page_);
    }

private:
    const std::string& page_;
};

const std::string kOpening = "<p>升级不升级你得看我的版本号sew/";
const std::string kClosing = "khj更改情况就知道了。</p>";

std::string ordinary_page(std::size_t size) {
    std::string page = "<html><head><meta charset=\"utf-8\"></head><body>\n";
    while (page.size() < size) {
        page += "<p>更新说明：修正了播放页面的若干问题，提高了稳定性。Version notes, line.</p>\n";
    }
    return page + kOpening + "1.50" + kClosing + "</body></html>\n";
}

std::string openings_without_closing(std::size_t size) {
    std::string page;
    while (page.size() < size) {
        page += kOpening;
    }
    return page;
}

void run_chain(benchmark::State& state, const std::string& page) {
    MemoryHttpClient client(page);
    linux_platform::IconvConverter converter;
    for (auto _ : state) {
        const std::string text = retrieve_version_page(client, converter, "http://version.test/");
        const double number = text_to_number(published_version(text));
        benchmark::DoNotOptimize(number);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(page.size()));
}

void ordinary_1_mib(benchmark::State& state) {
    static const std::string page = ordinary_page(1u << 20);
    run_chain(state, page);
}

void adversarial_16_mib_openings_without_closing(benchmark::State& state) {
    static const std::string page = openings_without_closing(16u << 20);
    run_chain(state, page);
}

void adversarial_16_mib_openings_then_one_closing(benchmark::State& state) {
    static const std::string page = openings_without_closing(16u << 20) + "1.5" + kClosing;
    run_chain(state, page);
}

BENCHMARK(ordinary_1_mib)->Unit(benchmark::kMillisecond);
BENCHMARK(adversarial_16_mib_openings_without_closing)->Unit(benchmark::kMillisecond);
BENCHMARK(adversarial_16_mib_openings_then_one_closing)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
