#include "compile/make_entry.h"

namespace kinoha {

MadeEntry MakeEntry(MakePlan& plan, std::size_t i, const MakeSettings& settings) {
    MadeEntry made;
    made.step = plan.Next(i, settings.changedOnly);
    switch (made.step.action) {
        case MakeStep::Action::Compile: {
            const CompileTarget target = plan.Target(i);
            made.outcome =
                CompileEntry(settings.compile, target, settings.logFor(target.entry));
            break;
        }
        case MakeStep::Action::UpToDate:
            made.outcome.result = CompileResult::UpToDate;
            break;
        case MakeStep::Action::NotRun:
            made.outcome.result = CompileResult::NotRun;
            break;
    }
    made.outcome.reasonCode = made.step.why.code;
    made.outcome.warnings = plan.Warnings(i);
    plan.Record(i, made.outcome.result);
    return made;
}

}  // namespace kinoha
