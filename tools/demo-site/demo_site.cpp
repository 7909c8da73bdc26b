// A small play site on 127.0.0.1 for trying the program and for its tests: a play page for
// every code, a page whose script opens a pop-up, the version page and the download page.
// Every request is logged, one line each, as "<path and query>".
//
//   demo-site [--port N] [--publish VERSION] [--log FILE]

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <mutex>
#include <string>

namespace {

struct Options {
    int port = 8642;
    std::string published = "1.40";
    std::string log_file;
};

std::string escape_html(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title +
           "</title><style>"
           "body{font-family:sans-serif;margin:0;background:#f4f6f8;color:#1b2733}"
           "header{background:#1d4f86;color:#fff;padding:10px 40px}"
           "main{padding:16px 40px}"
           ".screen{width:480px;height:200px;background:#101820;color:#f5b82e;display:flex;"
           "align-items:center;justify-content:center;font-size:28px;border-radius:6px}"
           "ul{line-height:1.9}a{color:#1d5fa8}"
           // Fixed places, so that tests can click these links by position.
           "a.spot{position:absolute;left:560px;width:150px;height:40px;display:block;"
           "background:#dde7f2;border-radius:4px;text-align:center;line-height:40px}"
           "</style></head><body>" +
           body + "</body></html>\n";
}

std::string play_page(const std::string& code) {
    const std::string shown = escape_html(code.empty() ? "（空）" : code);
    std::string links;
    for (int offset : {1, 2, 3}) {
        const int next = std::atoi(code.c_str()) + offset;
        links += "<li><a id=\"same-" + std::to_string(offset) +
                 "\" href=\"/play/?:" + std::to_string(next) + "\">视频 " + std::to_string(next) +
                 "</a></li>";
    }
    links +=
        "<li><a class=\"spot\" style=\"top:100px\" href=\"/play/?:777\" target=\"_blank\">"
        "新窗口：视频 777</a></li>"
        "<li><a class=\"spot\" style=\"top:160px\" href=\"/play/?:555\" "
        "onclick=\"window.open(this.href); return false;\">脚本窗口：视频 555</a></li>"
        "<li><a class=\"spot\" style=\"top:220px\" href=\"/popup\">弹出窗口的页面</a></li>";
    return page("视频 " + shown,
                "<header><h1>演示视频站</h1></header><main><div class=\"screen\">▶ 视频 " + shown +
                    "</div><ul>" + links + "</ul></main>");
}

std::string popup_page() {
    return page("弹出窗口",
                "<header><h1>弹出窗口</h1></header><main><p>这个页面一打开就想弹出新窗口，"
                "还会调用 alert()。</p></main><script>"
                "window.open('/play/?:999', '_blank');"
                "alert('这是一个提示框');"
                "</script>");
}

std::string version_page(const std::string& version) {
    return page("版本", "<main><h1>Zivmora 版本</h1><p>升级不升级你得看我的版本号sew/" +
                            escape_html(version) + "khj更改情况就知道了。</p></main>");
}

std::string download_page() {
    return page("下载",
                "<header><h1>下载 Zivmora</h1></header><main><p>最新版本在这里下载。"
                "</p></main>");
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--port") {
            options.port = std::atoi(value.c_str());
        } else if (name == "--publish") {
            options.published = value;
        } else if (name == "--log") {
            options.log_file = value;
        } else {
            std::cerr << "demo-site: unknown option " << name << "\n";
            std::exit(2);
        }
    }
    return options;
}

httplib::Server* running_server = nullptr;

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    std::mutex log_mutex;
    std::ofstream log_file;
    if (!options.log_file.empty()) {
        log_file.open(options.log_file, std::ios::app);
    }

    httplib::Server server;
    server.set_logger([&](const httplib::Request& request, const httplib::Response&) {
        std::lock_guard lock(log_mutex);
        std::cout << request.target << std::endl;
        if (log_file) {
            log_file << request.target << std::endl;
        }
    });
    const auto html = [](httplib::Response& response, const std::string& body) {
        response.set_content(body, "text/html; charset=utf-8");
    };
    server.Get("/play/", [&](const httplib::Request& request, httplib::Response& response) {
        // The play address is the base ".../play/?:" followed by the code, unchanged.
        const std::string& target = request.target;
        const std::size_t marker = target.find("?:");
        html(response,
             play_page(marker == std::string::npos
                           ? ""
                           : httplib::detail::decode_url(target.substr(marker + 2), false)));
    });
    server.Get("/popup", [&](const httplib::Request&, httplib::Response& response) {
        html(response, popup_page());
    });
    server.Get("/version", [&](const httplib::Request&, httplib::Response& response) {
        html(response, version_page(options.published));
    });
    server.Get("/download", [&](const httplib::Request&, httplib::Response& response) {
        html(response, download_page());
    });
    server.Get("/", [&](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/play/?:1");
    });

    running_server = &server;
    std::signal(SIGTERM, [](int) { running_server->stop(); });
    std::signal(SIGINT, [](int) { running_server->stop(); });
    std::cout << "demo-site: http://127.0.0.1:" << options.port << "/ publishing version "
              << options.published << std::endl;
    if (!server.listen("127.0.0.1", options.port)) {
        std::cerr << "demo-site: cannot listen on 127.0.0.1:" << options.port << "\n";
        return 1;
    }
    return 0;
}
