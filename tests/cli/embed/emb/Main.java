package emb;

import java.io.InputStream;
import java.nio.charset.StandardCharsets;

// Lives in a jar inside the executable: prints a resource of that jar and
// the first class-path entry, the file it was loaded from.
public final class Main {
    public static void main(String[] args) throws Exception {
        try (InputStream in = Main.class.getResourceAsStream("/emb/greeting.txt")) {
            System.out.println("resource: " + new String(in.readAllBytes(), StandardCharsets.UTF_8).trim());
        }
        String classPath = System.getProperty("java.class.path");
        System.out.println("first entry: " + classPath.split(java.io.File.pathSeparator)[0]);
        System.out.println("arguments: " + String.join(" | ", args));
    }
}
