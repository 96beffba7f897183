package hello;

// The example application that the main job turns into executables: it
// greets, then prints what the launcher handed it.
public final class Main {
    public static void main(String[] args) {
        System.out.println("Hello from Caskit!");
        System.out.println("arguments: " + String.join(" | ", args));
        System.out.println("greeting property: " + System.getProperty("hello.greeting"));
        System.out.println("class path: " + System.getProperty("java.class.path"));
        System.out.println("max heap (KiB): " + Runtime.getRuntime().maxMemory() / 1024);
    }
}
