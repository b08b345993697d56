#include "platform/office/host/officectl/commands.h"

#include <stdexcept>

#include "platform/automation/member_table.h"
#include "platform/office/host/client.h"
#include "platform/office/host/officectl/expression.h"

namespace officectl {
namespace {

using automation::InvokeKind;
using automation::Object;
using automation::Variant;

std::string ProgidOf(const std::string& application) { return application + ".Application"; }

// What an application opens with when the user starts it.
struct OpeningDocument {
  const char* application;
  const char* collection;
};
constexpr OpeningDocument kOpeningDocuments[] = {{"excel", "Workbooks"}, {"word", "Documents"}};

void StartApplication(const std::string& application) {
  const Object app = office::CreateObject(ProgidOf(application));
  app.put("Visible", true);
  for (const auto& d : kOpeningDocuments)
    if (automation::FoldCase(application) == d.application) app.obj(d.collection).call("Add");
}

std::string ResultText(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::Object: return "<object>";
    case Variant::Kind::Null: return "Null";
    case Variant::Kind::Error: return "Error " + std::to_string(std::get<automation::ErrorValue>(value.value()).code);
    default: return value.toText();
  }
}

void Evaluate(const std::string& text, std::ostream& out) {
  const Expression e = ParseExpression(text);
  Object target = office::GetRunningObject(ProgidOf(e.application));
  if (e.steps.empty()) {
    if (e.assigned) target.dispatch().Invoke("", InvokeKind::Put, {{{}, *e.assigned}});
    else out << ResultText(Variant(target)) << '\n';
    return;
  }
  for (std::size_t i = 0; i + 1 < e.steps.size(); ++i)
    target = target.dispatch().Invoke(e.steps[i].member, InvokeKind::Get, e.steps[i].args).toObject();
  const Step& last = e.steps.back();
  if (e.assigned) {
    automation::Arguments args = last.args;
    args.push_back({{}, *e.assigned});
    target.dispatch().Invoke(last.member, InvokeKind::Put, args);
    return;
  }
  out << ResultText(target.dispatch().Invoke(last.member, last.parenthesised ? InvokeKind::Call : InvokeKind::Get, last.args))
      << '\n';
}

void Status(std::ostream& out) {
  for (const auto& app : office::RunningApplications())
    out << app.progid << (app.visible ? " visible" : " invisible") << '\n';
}

int Usage(std::ostream& err) {
  err << "usage: officectl run APP | quit APP | status | eval EXPR\n";
  return 2;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return Usage(err);
  const std::string& command = args[0];
  try {
    if (command == "status" && args.size() == 1) Status(out);
    else if (command == "run" && args.size() == 2) StartApplication(args[1]);
    else if (command == "quit" && args.size() == 2) office::GetRunningObject(ProgidOf(args[1])).call("Quit");
    else if (command == "eval" && args.size() == 2) Evaluate(args[1], out);
    else return Usage(err);
    return 0;
  } catch (const automation::Error& e) {
    err << "error " << e.number() << ": " << e.description() << '\n';
    return 1;
  } catch (const std::invalid_argument& e) {
    err << "officectl: " << e.what() << '\n';
    return 2;
  }
}

}  // namespace officectl
