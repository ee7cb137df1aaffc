#pragma once

#include <functional>

class InstallPaths;
class Launcher;
class QString;

// The program's own page, installed with the templates: a file:// address of mb/zeb.html under the root.
QString programPageUrl(const InstallPaths& paths);

// Picture3 on Form1 and Label3 on Form7: hand the program's page to the browser; the outcome is not examined.
void openProgramPage(Launcher& launcher, const InstallPaths& paths);

// 帮助: start the help program detached; when it cannot be started, showUsageHelp runs instead. No message.
void runHelp(Launcher& launcher, const InstallPaths& paths, const std::function<void()>& showUsageHelp);
