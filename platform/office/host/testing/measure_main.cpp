// Measures the office host across processes: the median round trip of one property get, and the
// time of 10 000 calls in the shape of a report refresh (a chain of gets ending in a read or a
// write). Starts the tests' officehost beside it on a private socket.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/office/host/client.h"

int main() {
  using Clock = std::chrono::steady_clock;
  char dir[] = "/tmp/qv-measure-XXXXXX";
  if (!mkdtemp(dir)) return 1;
  setenv("OFFICEHOST_SOCKET", (std::string(dir) + "/socket").c_str(), 1);
  {
    const automation::Object excel = office::CreateObject("Excel.Application");
    excel.obj("Workbooks").call("Open", "项目.xlt");

    std::vector<double> trips;
    for (int i = 0; i < 20000; ++i) {
      const auto start = Clock::now();
      excel.get("Visible");
      trips.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(trips.begin(), trips.begin() + trips.size() / 2, trips.end());
    std::printf("median property get round trip: %.1f us\n", trips[trips.size() / 2]);

    const automation::Object sheet = excel.obj("Worksheets", "参数");
    const auto start = Clock::now();
    int calls = 0;
    while (calls < 10000) {
      const automation::Object cell = sheet.obj("Range", "C2");  // one call, one release
      cell.put("Value", "x");
      cell.get("Value");
      calls += 3;
    }
    std::printf("%d calls (get object, put, get; releases included): %.3f s\n", calls,
                std::chrono::duration<double>(Clock::now() - start).count());
    excel.call("Quit");
  }
  std::filesystem::remove_all(dir);
}
