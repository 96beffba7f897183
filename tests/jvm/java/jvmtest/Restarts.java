package jvmtest;

import java.io.FileOutputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Paths;

// Asks for a restart with System.exit(42) until it has run args[1] times
// ("always": at every run), then ends with 0. Each run appends one line to
// the file args[0]: its time in milliseconds, current folder, the restart
// mark's value as the program sees it, and its arguments.
public final class Restarts {
    public static void main(String[] args) throws Exception {
        String line = System.currentTimeMillis() + "|" + System.getProperty("user.dir") + "|"
                + System.getenv("CASKIT_RESTARTED") + "|" + String.join("|", args) + "\n";
        try (FileOutputStream out = new FileOutputStream(args[0], true)) {
            out.write(line.getBytes(StandardCharsets.UTF_8));
        }
        long runs = Files.readAllLines(Paths.get(args[0]), StandardCharsets.UTF_8).size();
        System.out.println("run " + runs);
        if (args[1].equals("always") || runs < Long.parseLong(args[1])) System.exit(42);
    }
}
