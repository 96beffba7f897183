package jvmtest;

import java.io.FileOutputStream;
import java.nio.charset.StandardCharsets;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;

// The first instance: writes "ready" to standard output, then appends a
// line to the file args[0] for each hand-over ("folder|args...", with the
// handler thread's name and whether it is a daemon) until one holds "stop",
// at most 60 seconds.
public final class OneInstance {
    private static String record;
    private static final CountDownLatch stop = new CountDownLatch(1);

    public static void handOver(String folder, String[] args) throws Exception {
        String line = folder + "|" + String.join("|", args) + "|" + Thread.currentThread().isDaemon() + "\n";
        try (FileOutputStream out = new FileOutputStream(record, true)) {
            out.write(line.getBytes(StandardCharsets.UTF_8));
        }
        for (String a : args) if (a.equals("stop")) stop.countDown();
    }

    public static void main(String[] args) throws Exception {
        record = args[0];
        System.out.println("ready");
        System.out.flush();
        stop.await(60, TimeUnit.SECONDS);
    }
}
