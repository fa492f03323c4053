#include "cli/chart_batch.h"

#include <atomic>
#include <cstdio>
#include <iostream>

#include "cli/chart_run.h"
#include "cli/command_registry.h"
#include "cli/every_core.h"
#include "cli/input_checks.h"
#include "cli/stdio_files.h"

namespace taiyi::cli {
namespace {

// Lines charted between two writes: enough to keep every core busy, few enough that the
// output follows the input of a pipe closely.
constexpr std::size_t kChunkLines = 512;

// What every line shares: read once, then only read.
struct BatchShared {
  const AppFolder& folder;
  ChartSettings settings;
  ChartTextWriter texts;
};

std::string TypeError(const std::string& key, const char* type) {
  return "键 " + key + " 的值应为" + type;
}

// Fills the chart options from one request object; the message when a key is unknown or its
// value has the wrong type.
std::string ReadRequestLine(const nlohmann::json& line, ChartOptions& o) {
  for (const auto& [key, value] : line.items()) {
    std::string* text = key == "date"       ? &o.date
                        : key == "time"     ? &o.time
                        : key == "name"     ? &o.name
                        : key == "province" ? &o.province
                        : key == "city"     ? &o.city
                        : key == "flowDate" ? &o.flowDate
                        : key == "flowTime" ? &o.flowTime
                                            : nullptr;
    bool* flag = key == "lunar"    ? &o.lunar
                 : key == "leap"   ? &o.leap
                 : key == "female" ? &o.female
                                   : nullptr;
    double* number = key == "lon" ? &o.lon : key == "lat" ? &o.lat : nullptr;
    if (text) {
      if (!value.is_string()) return TypeError(key, "字符串");
      *text = value.get<std::string>();
      if (key == "province") o.provinceGiven = true;
    } else if (flag) {
      if (!value.is_boolean()) return TypeError(key, " true 或 false");
      *flag = value.get<bool>();
    } else if (number) {
      if (!value.is_number()) return TypeError(key, "数字");
      *number = value.get<double>();
      if (std::string refusal = CoordinateRefusal(key, *number); !refusal.empty()) return refusal;
      o.lonGiven = true;
    } else if (key == "kind" || key == "flow") {
      std::string& target = key == "kind" ? o.kind : o.flow;
      if (value.is_string())
        target = value.get<std::string>();
      else if (value.is_number_integer())
        target = std::to_string(value.get<long long>());
      else
        return TypeError(key, "字符串或整数");
    } else if (key == "set") {
      if (!value.is_object()) return TypeError(key, "对象，如 {\"iDate\": 1}");
      for (const auto& [name, setting] : value.items()) {
        if (setting.is_number_integer())
          o.sets.push_back(name + "=" + std::to_string(setting.get<long long>()));
        else if (setting.is_boolean())
          o.sets.push_back(name + "=" + (setting.get<bool>() ? "1" : "0"));
        else
          return TypeError("set." + name, "整数");
      }
    } else {
      return "未知的键: " + key;
    }
  }
  return {};
}

// The output line of one input line; failed is set when it is an error object.
std::string ChartLine(const std::string& text, std::size_t number, const BatchShared& shared,
                      MYiDateEx& dates, bool& failed) {
  const auto error = [&](const std::string& message) {
    failed = true;
    return JsonText(Json{{"line", number}, {"error", message}});
  };
  const nlohmann::json line = nlohmann::json::parse(text, nullptr, false);
  if (line.is_discarded() || !line.is_object()) return error("不是有效的 JSON 对象");
  ChartOptions options;
  std::string message = ReadRequestLine(line, options);
  if (!message.empty()) return error(message);
  ChartRequest request;
  if (!ApplyRequestOptions(options, shared.folder, false, request, message)) return error(message);
  ChartSettings settings = shared.settings;
  if (!ApplySettingOverrides(options.sets, settings, message)) return error(message);
  ChartRun run;
  if (!MakeChartRun(request, settings, options, dates, run, message)) return error(message);
  ChartTexts texts;
  shared.texts.Write(run.result.chart, dates, texts);
  return JsonText(ChartDocument(run, texts));
}

bool Blank(const std::string& line) {
  return line.find_first_not_of(" \t\r\n") == std::string::npos;
}

}  // namespace

int RunChartBatch(const AppFolder& folder, const std::string& path,
                  const std::vector<std::string>& sets) {
  FILE* in = IsStdStream(path) ? stdin : std::fopen(path.c_str(), "rb");
  if (in == nullptr) return Fail("无法读取文件: " + path);
  BatchShared shared{folder, ReadChartSettings(folder.Dat() + "set.ini"), ChartTextWriter(folder)};
  std::string error;
  if (!ApplySettingOverrides(sets, shared.settings, error)) return Fail(error);

  EveryCore cores;
  std::vector<std::string> lines, out;
  std::vector<std::size_t> numbers;
  std::atomic<bool> anyFailed{false};
  std::size_t lineNumber = 0;
  char* buffer = nullptr;
  std::size_t capacity = 0;
  bool more = true;
  while (more) {
    lines.clear();
    numbers.clear();
    while (lines.size() < kChunkLines) {
      const ssize_t n = getline(&buffer, &capacity, in);
      if (n < 0) {
        more = false;
        break;
      }
      ++lineNumber;
      std::string line(buffer, static_cast<std::size_t>(n));
      if (Blank(line)) continue;
      lines.push_back(std::move(line));
      numbers.push_back(lineNumber);
    }
    out.assign(lines.size(), {});
    cores.ForEach(lines.size(), [&](std::size_t i, MYiDateEx& dates) {
      bool failed = false;
      out[i] = ChartLine(lines[i], numbers[i], shared, dates, failed);
      if (failed) anyFailed = true;
    });
    for (std::string& o : out) {
      o.push_back('\n');
      std::fwrite(o.data(), 1, o.size(), stdout);
    }
    std::fflush(stdout);
  }
  std::free(buffer);
  const bool readError = std::ferror(in) != 0;
  if (in != stdin) std::fclose(in);
  if (readError) return Fail("无法读取文件: " + path);
  return anyFailed ? 1 : 0;
}

}  // namespace taiyi::cli
