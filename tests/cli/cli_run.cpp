#include "cli_run.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

CliResult runCli(const std::string& args)
{
    const std::string errFile = "/tmp/mirtal-cli-err-" + std::to_string(::getpid());
    const std::string cmd = std::string(MIRTAL_CLI) + " " + args + " 2>" + errFile;
    CliResult r;
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p)
        return r;
    std::array<char, 4096> buf{};
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int raw = ::pclose(p);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(errFile);
    std::stringstream ss;
    ss << in.rdbuf();
    r.err = ss.str();
    std::remove(errFile.c_str());
    return r;
}

Json jsonOf(const CliResult& r, const std::string& schema, int status)
{
    EXPECT_EQ(r.status, status) << r.err;
    Json j = Json::parse(r.out, nullptr, false);
    if (j.is_discarded() || !j.is_object() || j.size() < 2) {
        ADD_FAILURE() << "not a JSON document:\n" << r.out;
        return nullptr;
    }
    EXPECT_EQ(j.begin().key(), "schema");
    EXPECT_EQ(std::next(j.begin()).key(), "version");
    EXPECT_EQ(j["schema"], "mirtal-" + schema);
    EXPECT_EQ(j["version"], 1);
    EXPECT_EQ(j.dump(2) + "\n", r.out);
    return j;
}

std::string gridText(const Json& captions, const Json& records)
{
    std::string out;
    const auto line = [&](const Json& cells) {
        for (size_t i = 0; i < cells.size(); ++i)
            out += (i > 0 ? "\t" : "") + cells[i].get<std::string>();
        out += '\n';
    };
    line(captions);
    for (const auto& r : records)
        line(r.at("cells"));
    return out;
}
