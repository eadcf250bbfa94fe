#pragma once
// Placeholder until the shared message seam lands: long logic steps call this.
namespace plattform {
void nachrichtenZulassen();
}
