#pragma once
// The table page's lab commands handed to the main window: the import and the typed entry of
// measurements, the table's export as CSV, the graph saved as a file, the titration written as a
// Python program and the progress table.
namespace workbench {
class MainWindow;
}

void connectLabCommands(workbench::MainWindow& window);
